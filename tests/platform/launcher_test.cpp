#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "platform/RecorderRun.h"
#include "platform/ScratchFolder.h"
#include "watch/HandOff.h"
#include "watch/ProgramStarter.h"

#ifndef _WIN32
#include <signal.h>
#endif

namespace belegbote {
namespace {

using testing::ReadRecords;
using testing::RecordedFolder;
using testing::RecorderPath;
using testing::ResetRecorder;
using testing::ScratchFolder;
using testing::SetEnv;
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class LauncherTest : public ::testing::Test {
protected:
    LauncherTest() { ResetRecorder(logPath); }
    ~LauncherTest() override { ResetRecorder(""); }

    // The recorder's lines, waiting up to `timeoutMs` for the first.
    std::vector<std::string> Records(int timeoutMs = 0) const {
        const auto start = Clock::now();
        while (!std::filesystem::exists(logPath) && MsSince(start) < timeoutMs) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return ReadRecords(logPath);
    }
    bool OnWindows() const { return platform->Listing().PathSeparator() == '\\'; }

    std::unique_ptr<Platform> platform = CreatePlatform();
    ProcessLauncher& launcher = platform->Launcher();
    ScratchFolder folder{"launcher"};
    std::string logPath = folder.Text("recorder.log");
};

TEST_F(LauncherTest, DirectStartPassesTheHandOffArgumentsUntouched) {
    // Blanks, a leading dash and characters a shell would act on.
    const std::string name = "-$x;y&z 'q`(1) %PATH%.pdf";
    folder.Write(name);
    const std::string path = folder.Text(name);
    const std::string line = BuildCommandLine(RecorderPath(), BuildParameterText(path));
    ASSERT_TRUE(launcher.StartDirect(line, folder.Text(), true));

    const std::vector<std::string> records = Records();
    ASSERT_EQ(records.size(), 1u);
    const std::string commandLine =
        OnWindows() ? line : RecorderPath() + " /a " + path;  // POSIX: argv joined by blanks
    EXPECT_EQ(records[0].substr(0, records[0].rfind("|size=")),
              "cmdline=" + commandLine + "|argc=3|arg1=/a|arg2=" + path + "|exists=1");
    EXPECT_TRUE(std::filesystem::equivalent(RecordedFolder(records[0]), folder.Path()));
}

TEST_F(LauncherTest, WithoutWorkingFolderTheProgramInheritsOurs) {
    const auto ours = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const bool started = launcher.StartDirect(BuildCommandLine(RecorderPath(), ""), "", true);
    std::filesystem::current_path(ours);
    ASSERT_TRUE(started);
    const std::vector<std::string> records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(std::filesystem::equivalent(RecordedFolder(records[0]), folder.Path()));
}

TEST_F(LauncherTest, WaitsForTheEndOnlyWhenAsked) {
    SetEnv("BELEGBOTE_RECORD_SLEEP_MS", "800");
    auto start = Clock::now();
    ASSERT_TRUE(launcher.StartDirect(BuildCommandLine(RecorderPath(), "waited"), "", true));
    const long long waited = MsSince(start);
    EXPECT_GE(waited, 800);

    start = Clock::now();
    ASSERT_TRUE(launcher.StartDirect(BuildCommandLine(RecorderPath(), "not waited"), "", false));
    const long long returned = MsSince(start);
    EXPECT_LT(returned, 600);
    std::cout << "[ report ] waited " << waited << " ms, returned without waiting after "
              << returned << " ms\n";
    // Let the second one finish before its folder goes away.
    while (Records().size() < 2 && MsSince(start) < 10000) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    EXPECT_EQ(Records().size(), 2u);
}

TEST_F(LauncherTest, TheProgramsExitCodeDoesNotMatter) {
    SetEnv("BELEGBOTE_RECORD_EXIT", "3");
    EXPECT_TRUE(launcher.StartDirect(BuildCommandLine(RecorderPath(), ""), "", true));
    EXPECT_EQ(Records().size(), 1u);
}

TEST_F(LauncherTest, AMissingOrEmptyProgramCannotBeStartedDirectly) {
    const std::string missing = folder.Text("missing program");
    EXPECT_FALSE(launcher.StartDirect(BuildCommandLine(missing, "/a \"x\""), "", true));
    EXPECT_FALSE(launcher.StartDirect(BuildCommandLine("", "/a \"x\""), ".", true));
    EXPECT_FALSE(
        launcher.StartDirect(BuildCommandLine(RecorderPath(), ""), folder.Text("no folder"), true));
    EXPECT_TRUE(Records().empty());
}

TEST_F(LauncherTest, AFileHeldAfterTheProgramEndedIsReleasedLater) {
    if (!OnWindows()) {
        GTEST_SKIP() << "an open file does not keep POSIX from deleting it";
    }
    folder.Write("held.pdf");
    SetEnv("BELEGBOTE_RECORD_HOLD_MS", "1000");
    const auto start = Clock::now();
    ASSERT_TRUE(launcher.StartDirect(
        BuildCommandLine(RecorderPath(), BuildParameterText(folder.Text("held.pdf"))), "", true));
    std::error_code error;
    EXPECT_FALSE(std::filesystem::remove(folder.Path() / "held.pdf", error));
    while (std::filesystem::exists(folder.Path() / "held.pdf") && MsSince(start) < 5000) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        std::filesystem::remove(folder.Path() / "held.pdf", error);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "held.pdf"));
    EXPECT_GE(MsSince(start), 900);
}

// The shell's side: a document type whose handler is the recorder, so that
// what the shell starts can be checked. (On Windows it is registered under
// HKCR, which is what the shell of Wine consults; these tests run there.)
class ShellTest : public LauncherTest {
protected:
    ShellTest() {
        folder.Write("Beleg 1.belegtest");
        document = folder.Text("Beleg 1.belegtest");
        if (OnWindows()) {
            Registry("add HKCR\\.belegtest /ve /d Belegbote.Test /f");
            Registry(
                "add HKCR\\Belegbote.Test\\shell\\open\\command /ve /d "
                "\"\\\"" +
                RecorderPath() + "\\\" \\\"%1\\\"\" /f");
        } else {
            // A stand-in for xdg-open that opens everything with the recorder,
            // and fails as told.
            const auto bin = folder.Path() / "bin";
            std::filesystem::create_directory(bin);
            std::ofstream(bin / "xdg-open")
                << "#!/bin/sh\n[ -z \"$FAKE_OPENER_EXIT\" ] || exit \"$FAKE_OPENER_EXIT\"\n"
                << "exec '" << RecorderPath() << "' \"$@\"\n";
            std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
            const char* path = std::getenv("PATH");
            savedPath = path != nullptr ? path : "";
            SetEnv("PATH", bin.string());
        }
    }
    ~ShellTest() override {
        if (OnWindows()) {
            Registry("delete HKCR\\.belegtest /f");
            Registry("delete HKCR\\Belegbote.Test /f");
        } else {
            SetEnv("PATH", savedPath);
            SetEnv("FAKE_OPENER_EXIT", "");
        }
    }
    void Registry(const std::string& arguments) {
        ASSERT_TRUE(launcher.StartDirect("reg " + arguments, "", true)) << arguments;
    }
    // The fields of a record up to its working folder.
    static std::string Arguments(const std::string& record) {
        const std::size_t from = record.find("|argc=");
        return record.substr(from, record.rfind("|exists=") - from);
    }

    std::string document;
    std::string savedPath;
};

TEST_F(ShellTest, ADocumentIsOpenedByItsHandlerAndWaitedFor) {
    SetEnv("BELEGBOTE_RECORD_SLEEP_MS", "600");
    ProgramStarter starter(launcher);
    const auto start = Clock::now();
    ASSERT_TRUE(starter.Start(document, "", "", true));
    EXPECT_GE(MsSince(start), 600);
    const std::vector<std::string> records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Arguments(records[0]), "|argc=2|arg1=" + document);
    // Windows: the document's folder, from the program text; POSIX has no
    // backslash to find it by, so ours.
    const auto expectedFolder = OnWindows() ? folder.Path() : std::filesystem::current_path();
    EXPECT_TRUE(std::filesystem::equivalent(RecordedFolder(records[0]), expectedFolder))
        << records[0];
}

TEST_F(ShellTest, ParametersAndWorkingFolderReachWhatTheShellStarts) {
    const std::string parameters = BuildParameterText(folder.Text("x y.pdf"));
    // Windows: a program through the shell; POSIX: the opener passes them on.
    const std::string target = OnWindows() ? RecorderPath() : document;
    ASSERT_TRUE(launcher.StartThroughShell(target, parameters, folder.Text(), true));
    const std::vector<std::string> records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Arguments(records[0]), OnWindows()
                                         ? "|argc=3|arg1=/a|arg2=" + folder.Text("x y.pdf")
                                         : "|argc=3|arg1=" + document + "|arg2=" + parameters);
    EXPECT_TRUE(std::filesystem::equivalent(RecordedFolder(records[0]), folder.Path()));
}

TEST_F(ShellTest, TheShellRefusesWhatItCannotFind) {
    EXPECT_FALSE(launcher.StartThroughShell(folder.Text("missing.belegtest"), "", "", true));
    EXPECT_FALSE(launcher.StartThroughShell(folder.Text("missing.exe"), "/a", ".", true));
    EXPECT_FALSE(launcher.StartThroughShell("", "/a", ".", true));
    EXPECT_TRUE(Records().empty());
}

TEST_F(ShellTest, WithoutAWorkingOpenerThereIsNoShell) {
    if (OnWindows()) {
        GTEST_SKIP() << "the Windows shell is always there";
    }
    SetEnv("FAKE_OPENER_EXIT", "2");
    EXPECT_FALSE(launcher.StartThroughShell(document, "", "", true));
    SetEnv("FAKE_OPENER_EXIT", "");
    SetEnv("PATH", folder.Text());
    EXPECT_FALSE(launcher.StartThroughShell(document, "", "", true));
    EXPECT_TRUE(Records().empty());
}

#ifndef _WIN32
TEST_F(LauncherTest, TheProgramDoesNotInheritOurBlockedOrIgnoredSignals) {
    // The program blocks these for its signalfd; a started program must still
    // end on them, and on a SIGPIPE we might ignore.
    sigset_t blocked, previous;
    sigemptyset(&blocked);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&blocked, signal);
    }
    ASSERT_EQ(pthread_sigmask(SIG_BLOCK, &blocked, &previous), 0);
    struct sigaction ignore {
    }, before{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &before);

    std::vector<long long> durations;
    for (const char* signal : {"TERM", "HUP", "PIPE"}) {
        const auto start = Clock::now();
        const std::string line =
            std::string(R"("/bin/sh" -c "kill -)") + signal + R"( $$; sleep 5")";
        EXPECT_TRUE(launcher.StartDirect(line, "", true)) << signal;
        durations.push_back(MsSince(start));
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    sigaction(SIGPIPE, &before, nullptr);
    for (long long ms : durations) {
        EXPECT_LT(ms, 3000);
    }
}
#endif

}  // namespace
}  // namespace belegbote
