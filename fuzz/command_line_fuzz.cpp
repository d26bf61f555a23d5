// Search text, file path, parameter text and command line, and the POSIX
// splitting of that command line back into arguments.
// Input: "<program>\n<folder>\n<name>": the program and folder come from
// configuration lines and hold no line feed; the name takes the rest.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "watch/CommandLineSplit.h"
#include "watch/FolderEnumerator.h"
#include "watch/HandOff.h"
#include "watch/ProgramStarter.h"

namespace belegbote::fuzz {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}
bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

void CheckSearchText(std::string_view folder, std::string_view pattern, char separator) {
    const std::string text =
        BuildSearchText(ExactCopy(folder).View(), ExactCopy(pattern).View(), separator);
    FUZZ_CHECK(StartsWith(text, folder));
    FUZZ_CHECK(EndsWith(text, pattern.empty() ? std::string_view("*.*") : pattern));
    // One separator at the join, never two.
    const std::size_t joint = text.size() - (pattern.empty() ? 3 : pattern.size());
    FUZZ_CHECK(joint - folder.size() <= 1);
    FUZZ_CHECK(folder.empty() || text[joint - 1] == separator);
}

void CheckShellDirectory(std::string_view program) {
    const std::optional<std::string> directory = ShellDirectory(ExactCopy(program).View());
    const std::size_t last = program.size() < 2 ? std::string_view::npos : program.rfind('\\');
    if (last == std::string_view::npos || last == 0) {
        FUZZ_CHECK(!directory);
        return;
    }
    FUZZ_CHECK(directory && *directory == program.substr(0, last + 1));
}

// The hand-off's command line, split as the POSIX launcher splits it, gives
// back the program and exactly two arguments: /a and the path, unchanged.
// That holds for every path the hand-off produces: the listing sets aside
// names with a double quote or a closing backslash.
void CheckHandOffRoundTrip(std::string_view program, std::string_view folder, std::string_view name,
                           char separator) {
    const std::string path =
        BuildFilePath(ExactCopy(folder).View(), ExactCopy(name).View(), separator);
    const std::string line =
        BuildCommandLine(ExactCopy(program).View(), ExactCopy(BuildParameterText(path)).View());
    const std::vector<std::string> args = SplitCommandLine(ExactCopy(line).View());
    FUZZ_CHECK(!args.empty());
    if (program.find('"') != std::string_view::npos || path.find('"') != std::string::npos ||
        path.back() == '\\') {
        return;
    }
    FUZZ_CHECK(args.size() == 3);
    FUZZ_CHECK(args[0] == program);
    FUZZ_CHECK(args[1] == "/a");
    FUZZ_CHECK(args[2] == path);
}

}  // namespace
}  // namespace belegbote::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace belegbote::fuzz;
    const auto fields = SplitFields(AsText(data, size), '\n', 3);
    const std::string_view program = fields[0], folder = fields[1], name = fields[2];
    for (char separator : {'\\', '/'}) {
        CheckSearchText(folder, name, separator);
        CheckHandOffRoundTrip(program, folder, name, separator);
    }
    CheckShellDirectory(program);
    const std::string line =
        belegbote::BuildCommandLine(ExactCopy(program).View(), ExactCopy(name).View());
    FUZZ_CHECK(name.empty() || EndsWith(line, std::string(" ").append(name)));
    FUZZ_CHECK(StartsWith(
        line, program.substr(0, 1) == "\"" ? program : std::string("\"").append(program)));
    return 0;
}
