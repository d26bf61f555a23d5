#include "watch/ProgramStarter.h"

namespace belegbote {

std::string BuildCommandLine(std::string_view program, std::string_view parameters) {
    std::string line;
    if (!program.empty() && program.front() == '"') {
        line = program;
    } else {
        line.append("\"").append(program).append("\"");
    }
    if (!parameters.empty()) {
        line.append(" ").append(parameters);
    }
    return line;
}

std::optional<std::string> ShellDirectory(std::string_view program) {
    for (std::size_t i = program.size(); i-- > 1;) {
        if (program[i] == '\\') {
            return std::string(program.substr(0, i + 1));
        }
    }
    return std::nullopt;
}

bool ProgramStarter::Start(const std::string& program, const std::string& parameters,
                           const std::string& workingDir, bool wait) {
    // The platform would cut the text at a NUL byte: the program would start
    // without the file's path, and the file be deleted all the same.
    for (const std::string* text : {&program, &parameters, &workingDir}) {
        if (text->find('\0') != std::string::npos) {
            return false;
        }
    }
    if (launcher_.StartDirect(BuildCommandLine(program, parameters), workingDir, wait)) {
        return true;
    }
    std::string shellDir = workingDir;
    if (shellDir.empty()) {
        shellDir = ShellDirectory(program).value_or("");
    }
    return launcher_.StartThroughShell(program, parameters, shellDir, wait);
}

}  // namespace belegbote
