#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppEvent.h"
#include "app/Program.h"
#include "fakes/CallLog.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeHostWindow.h"
#include "fakes/FakeIconFactory.h"
#include "fakes/FakeLauncher.h"
#include "fakes/FakeListing.h"
#include "fakes/FakeMessageDialog.h"
#include "fakes/FakeTrayShell.h"

namespace belegbote {
namespace {

using namespace belegbote::testing;

// Every fake of a whole program, with the steps that matter for the start-up
// and shutdown order written into one log.
class FakePlatform : public Platform {
public:
    struct LoggedWindow : FakeHostWindow {
        explicit LoggedWindow(CallLog& log) : log_(log) {}
        WindowId Create(const std::string& title, WindowEvents& windowEvents) override {
            log_.push_back("CreateWindow " + title);
            return FakeHostWindow::Create(title, windowEvents);
        }
        void Destroy() override {
            log_.push_back("DestroyWindow");
            FakeHostWindow::Destroy();
        }
        void StartTimer(std::uint32_t id, std::uint32_t ms) override {
            log_.push_back("StartTimer " + std::to_string(id) + " " + std::to_string(ms));
        }
        CallLog& log_;
    };
    struct LoggedTray : FakeTrayShell {
        explicit LoggedTray(CallLog& log) : log_(log) {}
        bool NotifyIcon(ShellOperation operation, const ShellIconRecord& record) override {
            const char* names[] = {"Add", "Modify", "Delete"};
            log_.push_back(std::string("Icon ") + names[static_cast<int>(operation)]);
            return FakeTrayShell::NotifyIcon(operation, record);
        }
        MenuId NewPopupMenu() override {
            log_.push_back("BuildMenu");
            return FakeTrayShell::NewPopupMenu();
        }
        CallLog& log_;
    };
    struct LoggedIcons : FakeIconFactory {
        explicit LoggedIcons(CallLog& log) : log_(log) {}
        void ReleaseIcon(IconId icon) override {
            log_.push_back("ReleaseIcon");
            FakeIconFactory::ReleaseIcon(icon);
        }
        CallLog& log_;
    };

    void InitThread() override { log.push_back("InitThread"); }
    FileSystem& Files() override { return files; }
    FolderListing& Listing() override { return listing; }
    ProcessLauncher& Launcher() override { return launcher; }
    Clock& Timing() override { return clock; }
    MessageDialog& Messages() override { return messages; }
    HostWindow& Window() override { return window; }
    IconFactory& Icons() override { return icons; }
    TrayShell& Tray() override { return tray; }

    CallLog log;
    FakeFileSystem files;
    FakeListing listing{log};
    FakeLauncher launcher{log};
    FakeClock clock{log};
    FakeMessageDialog messages{log};
    LoggedWindow window{log};
    LoggedIcons icons{log};
    LoggedTray tray{log};
};

const std::string Ini = "Belegbote.ini";

std::string IniText(const std::string& scanTimer) {
    return "[Allgemein]\r\nProgramm=C:\\p.exe\r\nScanPfad=C:\\in\r\nScanDateiType=*.pdf\r\n"
           "ScanTimer=" + scanTimer + "\r\nWarteTimer=0\r\n";
}

std::vector<std::string> StartingWith(const CallLog& log, const std::string& prefix) {
    std::vector<std::string> kept;
    for (const std::string& call : log) {
        if (call.rfind(prefix, 0) == 0) {
            kept.push_back(call);
        }
    }
    return kept;
}

TEST(ProgramTest, WithoutConfigurationWritesTheTemplateAndCreatesNothingElse) {
    FakePlatform platform;
    platform.files.calls.clear();
    EXPECT_EQ(RunProgram(platform), 0);
    EXPECT_EQ(platform.log, (CallLog{"InitThread", "Message Belegbote V1.0 - Problem:",
                                     "Message Belegbote V1.0 - Meldung:"}));
    EXPECT_EQ(platform.files.calls, (std::vector<std::string>{"Read " + Ini, "Write " + Ini}));
    EXPECT_TRUE(platform.icons.requests.empty());
}

TEST(ProgramTest, StartsUpRunsAndShutsDownInOrder) {
    FakePlatform platform;
    platform.files.files[Ini] = IniText("1000");
    platform.window.Queue({[](WindowEvents& e) { e.OnClose(); }, true});
    EXPECT_EQ(RunProgram(platform), 0);
    EXPECT_EQ(platform.log,
              (CallLog{"InitThread", "CreateWindow Belegbote V1.0", "Icon Add", "Icon Modify",
                       "BuildMenu", "StartTimer 1 1000", "DestroyWindow", "Icon Delete",
                       "ReleaseIcon", "ReleaseIcon", "ReleaseIcon"}));
    // The configuration is read once and released before the window exists.
    EXPECT_EQ(platform.files.calls, (std::vector<std::string>{"Read " + Ini, "Release"}));
    EXPECT_EQ(platform.icons.requests.size(), 3u);
}

TEST(ProgramTest, PassesTheScanIntervalUncheckedAsUnsigned) {
    FakePlatform platform;
    platform.files.files[Ini] = IniText("-250");
    platform.window.Queue({[](WindowEvents& e) { e.OnClose(); }, true});
    RunProgram(platform);
    EXPECT_EQ(StartingWith(platform.log, "StartTimer"), CallLog{"StartTimer 1 4294967046"});
}

TEST(ProgramTest, EachScanTickListsTheWatchedFolderUntilTheExitEntry) {
    FakePlatform platform;
    platform.files.files[Ini] = IniText("1000");
    platform.listing.start = ListingStart::NoMatch;
    platform.window.Queue({[](WindowEvents& e) { e.OnTimer(ScanTimerId); }});
    platform.window.Queue({[](WindowEvents& e) { e.OnTimer(ScanTimerId); }});
    platform.window.Queue({[](WindowEvents& e) { e.OnCommand(MenuIdExit); }});
    platform.window.Queue({[](WindowEvents& e) { e.OnTimer(ScanTimerId); }});
    RunProgram(platform);
    EXPECT_EQ(StartingWith(platform.log, "FindFirst"),
              (CallLog{"FindFirst C:\\in\\*.pdf", "FindFirst C:\\in\\*.pdf"}));
}

TEST(ProgramTest, MissingHostWindowIsReportedAndTheProgramEnds) {
    FakePlatform platform;
    platform.files.files[Ini] = IniText("1000");
    platform.window.createFails = true;
    EXPECT_EQ(RunProgram(platform), 0);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].first, "Belegbote V1.0 - Problem:");
    EXPECT_EQ(platform.messages.shown[0].second,
              "Unsichtbares Fenster konnte nicht ge\xF6"
              "ffnet werden!");
    // No icon and no timer; the menu is still built.
    EXPECT_EQ(platform.log,
              (CallLog{"InitThread", "CreateWindow Belegbote V1.0",
                       "Message Belegbote V1.0 - Problem:", "BuildMenu", "DestroyWindow",
                       "ReleaseIcon", "ReleaseIcon", "ReleaseIcon"}));
}

}  // namespace
}  // namespace belegbote
