#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/CallLog.h"
#include "fakes/FakeLauncher.h"
#include "watch/ProgramStarter.h"

namespace belegbote {
namespace {

using testing::CallLog;
using testing::FakeLauncher;

TEST(BuildCommandLine, QuotesTheProgramUnlessItStartsWithAQuote) {
    struct Case {
        const char* program;
        const char* parameters;
        const char* expected;
    };
    const Case cases[] = {
        {R"(C:\Programme\Microsoft Office\Office14\Outlook.exe)", R"(/a "C:\Arbeitspuffer\x.pdf")",
         R"("C:\Programme\Microsoft Office\Office14\Outlook.exe" /a "C:\Arbeitspuffer\x.pdf")"},
        // Already quoted: taken as it is, also without its closing quote.
        {R"("C:\Prog\a.exe")", "-x", R"("C:\Prog\a.exe" -x)"},
        {R"("C:\Prog\a.exe)", "-x", R"("C:\Prog\a.exe -x)"},
        // No parameters: no trailing blank.
        {R"(C:\Prog\a.exe)", "", R"("C:\Prog\a.exe")"},
        {"", "", R"("")"},
        {"", "/a", R"("" /a)"},
        // Quotes elsewhere pass through; blanks never split the program.
        {R"(C:\a "b".exe)", R"(x "y" z)", R"("C:\a "b".exe" x "y" z)"},
        {R"(C:\Program Files\x.exe)", " ", R"("C:\Program Files\x.exe"  )"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildCommandLine(c.program, c.parameters), c.expected)
            << "program " << c.program << ", parameters " << c.parameters;
    }
}

TEST(ShellDirectory, IsTheTextUpToTheLastBackslashAfterTheFirstCharacter) {
    struct Case {
        const char* program;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {R"(C:\Daten\liste.txt)", R"(C:\Daten\)"},
        {R"(C:\a\b\c.exe)", R"(C:\a\b\)"},
        {"liste.txt", std::nullopt},
        {R"(\liste.txt)", std::nullopt},  // only the first character is a backslash
        {R"(C:\Daten\)", R"(C:\Daten\)"},
        {R"("C:\Prog\a.exe")", R"("C:\Prog\)"},
        {R"(\\)", R"(\\)"},
        {"x", std::nullopt},
        {R"(\)", std::nullopt},
        {"", std::nullopt},
        {"https://velmora.example/belegbote/", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShellDirectory(c.program), c.expected) << c.program;
    }
}

class ProgramStarterTest : public ::testing::Test {
protected:
    CallLog log;
    FakeLauncher launcher{log};
    ProgramStarter starter{launcher};
};

TEST_F(ProgramStarterTest, DirectSuccessNeedsNoShell) {
    EXPECT_TRUE(starter.Start(R"(C:\P\a.exe)", R"(/a "C:\x.pdf")", ".", true));
    EXPECT_EQ(log, CallLog({R"(Direct "C:\P\a.exe" /a "C:\x.pdf" | . | wait)"}));
}

TEST_F(ProgramStarterTest, FailedDirectStartAsksTheShellWithTheGivenDirectory) {
    launcher.directSucceeds = false;
    EXPECT_TRUE(starter.Start(R"(C:\P\a.exe)", "/a", ".", true));
    EXPECT_EQ(log, CallLog({R"(Direct "C:\P\a.exe" /a | . | wait)",
                            R"(Shell C:\P\a.exe | /a | . | wait)"}));
}

TEST_F(ProgramStarterTest, WithoutDirectoryTheShellGetsTheProgramsFolder) {
    launcher.directSucceeds = false;
    EXPECT_TRUE(starter.Start(R"(C:\Daten\liste.txt)", "", "", false));
    EXPECT_TRUE(starter.Start("https://velmora.example/belegbote/", "", "", false));
    EXPECT_EQ(log, CallLog({R"(Direct "C:\Daten\liste.txt" |  | nowait)",
                            R"(Shell C:\Daten\liste.txt |  | C:\Daten\ | nowait)",
                            R"(Direct "https://velmora.example/belegbote/" |  | nowait)",
                            R"(Shell https://velmora.example/belegbote/ |  |  | nowait)"}));
}

TEST_F(ProgramStarterTest, TextWithANulByteStartsNothing) {
    // The platform would cut the command line at the NUL and start the
    // program without the file's path.
    using namespace std::string_literals;
    EXPECT_FALSE(starter.Start("C:\\P\\a.exe\0x"s, R"(/a "C:\x.pdf")", ".", true));
    EXPECT_FALSE(starter.Start(R"(C:\P\a.exe)", "/a \"C:\\in\0x\\x.pdf\""s, ".", true));
    EXPECT_FALSE(starter.Start(R"(C:\P\a.exe)", "/a", ".\0"s, true));
    EXPECT_EQ(log, CallLog());
}

TEST_F(ProgramStarterTest, FailsWhenTheShellRefusesToo) {
    launcher.directSucceeds = false;
    launcher.shellSucceeds = false;
    EXPECT_FALSE(starter.Start("", "/a", ".", true));
    EXPECT_EQ(log, CallLog({R"(Direct "" /a | . | wait)", "Shell  | /a | . | wait"}));
}

}  // namespace
}  // namespace belegbote
