#pragma once
// A launcher that records each start and accepts or refuses it as told.
#include <functional>
#include <string>

#include "fakes/CallLog.h"
#include "platform/ProcessLauncher.h"

namespace belegbote::testing {

class FakeLauncher : public ProcessLauncher {
public:
    explicit FakeLauncher(CallLog& log) : log_(log) {}

    // Logged as: Direct <command line> | <dir> | wait or nowait
    bool StartDirect(const std::string& commandLine, const std::string& workingDir,
                     bool wait) override {
        log_.push_back("Direct " + commandLine + " | " + workingDir + WaitText(wait));
        RunProgram();
        return directSucceeds;
    }
    // Logged as: Shell <file> | <parameters> | <dir> | wait or nowait
    bool StartThroughShell(const std::string& file, const std::string& parameters,
                           const std::string& workingDir, bool wait) override {
        log_.push_back("Shell " + file + " | " + parameters + " | " + workingDir + WaitText(wait));
        if (!directSucceeds) {
            RunProgram();
        }
        return shellSucceeds;
    }

    bool directSucceeds = true;
    bool shellSucceeds = true;
    // What the started program does while it runs (e.g. touch the file).
    std::function<void()> whileRunning;

private:
    static std::string WaitText(bool wait) { return wait ? " | wait" : " | nowait"; }
    void RunProgram() {
        if (whileRunning) {
            whileRunning();
        }
    }

    CallLog& log_;
};

}  // namespace belegbote::testing
