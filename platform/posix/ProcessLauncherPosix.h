#pragma once
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ProcessLauncher.h"

namespace belegbote {

// posix_spawn, never a shell: the Windows-style command line is split into
// argv by the Windows rules. The shell fallback is xdg-open, where there is one.
class ProcessLauncherPosix final : public ProcessLauncher {
public:
    bool StartDirect(const std::string& commandLine, const std::string& workingDir,
                     bool wait) override;
    bool StartThroughShell(const std::string& file, const std::string& parameters,
                           const std::string& workingDir, bool wait) override;

private:
    // The child's exit status when waited for; 0 when not waited for.
    std::optional<int> Run(const std::vector<std::string>& args, const std::string& workingDir,
                           bool wait);
    void ReapFinished();

    // Children started without waiting, collected later so none stays a zombie.
    std::vector<pid_t> unwaited_;
};

}  // namespace belegbote
