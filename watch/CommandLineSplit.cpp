#include "watch/CommandLineSplit.h"

namespace belegbote {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Returns the position after the program's text.
std::size_t TakeProgram(std::string_view line, std::string& program) {
    bool inQuotes = false;
    std::size_t pos = 0;
    for (; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && IsBlank(c)) {
            break;
        } else {
            program.push_back(c);
        }
    }
    return pos;
}

// Takes one argument from `pos`, which is not a blank; returns the position after it.
std::size_t TakeArgument(std::string_view line, std::size_t pos, std::string& argument) {
    bool inQuotes = false;
    while (pos < line.size()) {
        std::size_t backslashes = 0;
        while (pos < line.size() && line[pos] == '\\') {
            ++backslashes;
            ++pos;
        }
        bool literal = true;
        if (pos < line.size() && line[pos] == '"') {
            if (backslashes % 2 == 0) {
                if (inQuotes && pos + 1 < line.size() && line[pos + 1] == '"') {
                    ++pos;  // "" inside quotes: one literal quote
                } else {
                    literal = false;
                    inQuotes = !inQuotes;
                }
            }
            backslashes /= 2;
        }
        argument.append(backslashes, '\\');
        if (pos >= line.size() || (!inQuotes && IsBlank(line[pos]))) {
            break;
        }
        if (literal) {
            argument.push_back(line[pos]);
        }
        ++pos;
    }
    return pos;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    if (commandLine.empty()) {
        return arguments;
    }
    arguments.emplace_back();
    std::size_t pos = TakeProgram(commandLine, arguments.back());
    for (;;) {
        while (pos < commandLine.size() && IsBlank(commandLine[pos])) {
            ++pos;
        }
        if (pos >= commandLine.size()) {
            return arguments;
        }
        arguments.emplace_back();
        pos = TakeArgument(commandLine, pos, arguments.back());
    }
}

}  // namespace belegbote
