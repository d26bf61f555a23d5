#pragma once
// Starting programs directly and through the desktop shell.
#include <string>

namespace belegbote {

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;

    // Direct start of the program named by the first token of `commandLine`.
    // An empty `workingDir` means: inherit ours. With `wait`, returns after the
    // program has ended. False when the program could not be started.
    virtual bool StartDirect(const std::string& commandLine, const std::string& workingDir,
                             bool wait) = 0;

    // The shell's default action on `file` (a program, a document, an address).
    // False when the shell refused. Waits only when it started a process.
    virtual bool StartThroughShell(const std::string& file, const std::string& parameters,
                                   const std::string& workingDir, bool wait) = 0;
};

}  // namespace belegbote
