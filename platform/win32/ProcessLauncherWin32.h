#pragma once
#include "platform/ProcessLauncher.h"

namespace belegbote {

class ProcessLauncherWin32 final : public ProcessLauncher {
public:
    bool StartDirect(const std::string& commandLine, const std::string& workingDir,
                     bool wait) override;
    bool StartThroughShell(const std::string& file, const std::string& parameters,
                           const std::string& workingDir, bool wait) override;
};

}  // namespace belegbote
