#pragma once
// Starts a program or document, directly or through the shell.
#include <optional>
#include <string>
#include <string_view>

#include "platform/ProcessLauncher.h"

namespace belegbote {

// The program text in double quotes (unless it starts with one), then one
// blank and the parameters when there are any.
std::string BuildCommandLine(std::string_view program, std::string_view parameters);

// The program text up to and including its last backslash, searching from
// the end down to the second character; none without such a backslash.
std::optional<std::string> ShellDirectory(std::string_view program);

class ProgramStarter {
public:
    explicit ProgramStarter(ProcessLauncher& launcher) : launcher_(launcher) {}

    // True when the program was started directly or the shell accepted it.
    bool Start(const std::string& program, const std::string& parameters,
               const std::string& workingDir, bool wait);

private:
    ProcessLauncher& launcher_;
};

}  // namespace belegbote
