// The POSIX launcher's splitting of any command line into arguments.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "watch/CommandLineSplit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace belegbote;
    const fuzz::ExactCopy line(fuzz::AsText(data, size));
    const std::vector<std::string> args = SplitCommandLine(line.View());
    FUZZ_CHECK(args.empty() == (size == 0));

    // Quotes and escapes only ever remove bytes: no argument is made up.
    std::size_t total = 0;
    for (const std::string& arg : args) {
        total += arg.size();
    }
    FUZZ_CHECK(total <= size);

    // Without quotes, arguments are the runs between blanks and tabs, taken
    // as they stand.
    const std::string_view text = line.View();
    if (text.find('"') == std::string_view::npos) {
        std::vector<std::string> runs;
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t end = text.find_first_of(" \t", pos);
            const std::size_t stop = end == std::string_view::npos ? text.size() : end;
            if (stop > pos || runs.empty()) {
                runs.emplace_back(text.substr(pos, stop - pos));
            }
            pos = stop + 1;
        }
        FUZZ_CHECK(args == runs);
    }
    return 0;
}
