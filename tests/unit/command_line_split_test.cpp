#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "watch/CommandLineSplit.h"
#include "watch/HandOff.h"
#include "watch/ProgramStarter.h"

namespace belegbote {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheWindowsRuntimeRules) {
    struct Case {
        const char* line;
        Args expected;
    };
    const Case cases[] = {
        {"", {}},
        {"prog", {"prog"}},
        {R"("C:\Program Files\a.exe" x y)", {R"(C:\Program Files\a.exe)", "x", "y"}},
        // The program keeps its backslashes and drops every quote.
        {R"("C:\dir\"a b)", {R"(C:\dir\a)", "b"}},
        {R"("C:\a b"c d)", {R"(C:\a bc)", "d"}},
        {R"(C:\a\ x)", {R"(C:\a\)", "x"}},
        {R"("unclosed program)", {"unclosed program"}},
        {"p  a\t\tb  ", {"p", "a", "b"}},
        {R"(p "a b" c)", {"p", "a b", "c"}},
        {R"(p a"b c"d)", {"p", "ab cd"}},
        {R"(p "")", {"p", ""}},
        {R"(p "" x)", {"p", "", "x"}},
        // Backslashes count only before a quote.
        {R"(p a\b c\\d)", {"p", R"(a\b)", R"(c\\d)"}},
        {R"(p a\"b)", {"p", R"(a"b)"}},
        {R"(p a\\"b c")", {"p", R"(a\b c)"}},
        {R"(p a\\\"b)", {"p", R"(a\"b)"}},
        {R"(p "a\\")", {"p", R"(a\)"}},
        {R"(p "a\")", {"p", R"(a")"}},
        // "" inside quotes is one literal quote and quoting goes on.
        {R"(p "a""b c")", {"p", R"(a"b c)"}},
        {R"(p "unclosed arg)", {"p", "unclosed arg"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.line;
    }
}

TEST(SplitCommandLine, GivesBackTheProgramAndTheHandOffArguments) {
    const char* const programs[] = {"/usr/local/bin/recorder", "/opt/my prog/run", "./rel",
                                    R"(C:\Programme\Office\Outlook.exe)"};
    const char* const paths[] = {
        "/srv/in/Rechnung 7.pdf",
        "/srv/in/-rf",
        "/srv/in/$HOME;rm -rf & x|y*z'q`date`.pdf",
        R"(C:\Arbeitspuffer\\Rechnung.pdf)",
        R"(C:\Arbeitspuffer\x.pdf)",
        "./  two  blanks\tand tab.pdf",
        R"(/srv/back\slash\in\name.pdf)",
        "/srv/ä-ö-ü \xFC\xF6.pdf",
    };
    for (const char* program : programs) {
        for (const char* path : paths) {
            const std::string line = BuildCommandLine(program, BuildParameterText(path));
            EXPECT_EQ(SplitCommandLine(line), Args({program, "/a", path})) << line;
        }
    }
}

TEST(SplitCommandLine, ANameEndingInABackslashCannotBeQuotedSafely) {
    // Why the POSIX listing marks such names as unusable: the backslash
    // swallows the closing quote.
    const std::string line = BuildCommandLine("/bin/p", BuildParameterText("/srv/in/name\\"));
    EXPECT_NE(SplitCommandLine(line), Args({"/bin/p", "/a", "/srv/in/name\\"}));
}

}  // namespace
}  // namespace belegbote
