// What the tray gets from the program: the idle image, the title, and the
// host window as owner of the menu.
#include <gtest/gtest.h>

#include <string>

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

struct TrayPlatform : Platform {
    TrayPlatform() { files.files["Belegbote.ini"] = "[Allgemein]\r\nScanTimer=60000\r\n"; }
    void InitThread() override {}
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
    FakeMessageDialog messages;
    FakeHostWindow window;
    FakeIconFactory icons;
    FakeTrayShell tray;
};

FakeHostWindow::Message Close() {
    return {[](WindowEvents& e) { e.OnClose(); }, true};
}

constexpr IconId IdleImage = 1001;  // the first icon the factory makes
constexpr WindowId HostWindowId = 42;

TEST(ProgramTray, TheIconAndBothEntriesShowTheIdleImageUnderTheTitle) {
    TrayPlatform platform;
    platform.window.Queue(Close());
    RunProgram(platform);

    ASSERT_EQ(platform.tray.notifications.size(), 3u);  // add, tooltip, delete
    EXPECT_EQ(platform.tray.notifications[0].record.icon, IdleImage);
    EXPECT_EQ(platform.tray.notifications[0].record.window, HostWindowId);
    EXPECT_EQ(platform.tray.notifications[1].record.tip, "Belegbote V1.0");
    EXPECT_EQ(platform.tray.notifications[2].record.window, HostWindowId);
    ASSERT_EQ(platform.tray.appended.size(), 3u);
    EXPECT_EQ(platform.tray.appended[0].entry.image, IdleImage);
    EXPECT_EQ(platform.tray.appended[2].entry.text, "Belegbote V1.0 beenden");
    EXPECT_EQ(platform.tray.appended[2].entry.image, IdleImage);
    EXPECT_TRUE(platform.icons.alive.empty());
}

TEST(ProgramTray, ARightPressOnTheIconOpensTheMenuAtTheHostWindow) {
    TrayPlatform platform;
    platform.window.Queue({[](WindowEvents& e) { e.OnTrayCallback(1, 0x0201); }});  // left
    platform.window.Queue({[](WindowEvents& e) { e.OnTrayCallback(1, 0x0204); }});  // right
    platform.window.Queue(Close());
    RunProgram(platform);

    ASSERT_EQ(platform.tray.tracked.size(), 1u);
    EXPECT_EQ(platform.tray.tracked[0].owner, HostWindowId);
    EXPECT_EQ(platform.tray.tracked[0].menu, platform.tray.menuToCreate);
}

}  // namespace
}  // namespace belegbote
