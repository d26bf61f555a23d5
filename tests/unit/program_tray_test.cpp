// Where the tray enters the program's start-up and shutdown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Program.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeHostWindow.h"
#include "fakes/FakeIconFactory.h"
#include "fakes/FakeMessageDialog.h"
#include "fakes/FakeTrayShell.h"

namespace belegbote {
namespace {

using namespace belegbote::testing;

struct NoListing : FolderListing {
    ListingStart FindFirst(const std::string&, ListedEntry&) override {
        return ListingStart::NoMatch;
    }
    bool FindNext(ListedEntry&) override { return false; }
    void FindClose() override {}
    char PathSeparator() const override { return '\\'; }
};

struct NoLauncher : ProcessLauncher {
    bool StartDirect(const std::string&, const std::string&, bool) override { return false; }
    bool StartThroughShell(const std::string&, const std::string&, const std::string&,
                           bool) override {
        return false;
    }
};

struct NoClock : Clock {
    void Pause(std::uint32_t) override {}
    std::uint64_t NowMs() override { return 0; }
};

// The host window's main events go to the journal too.
struct JournalHostWindow : FakeHostWindow {
    WindowId Create(const std::string& title, WindowEvents& windowEvents) override {
        journal->push_back("CreateWindow");
        return FakeHostWindow::Create(title, windowEvents);
    }
    void Destroy() override {
        journal->push_back("DestroyWindow");
        FakeHostWindow::Destroy();
    }
    void StartTimer(std::uint32_t timerId, std::uint32_t intervalMs) override {
        journal->push_back("StartTimer");
        FakeHostWindow::StartTimer(timerId, intervalMs);
    }
    std::vector<std::string>* journal = nullptr;
};

struct FakePlatform : Platform {
    FakePlatform() : messages(journal) {
        window.journal = &journal;
        tray.journal = &journal;
        icons.journal = &journal;
        files.files["Belegbote.ini"] = "[Allgemein]\r\nScanTimer=60000\r\n";
    }
    void InitThread() override {}
    FileSystem& Files() override { return files; }
    FolderListing& Listing() override { return listing; }
    ProcessLauncher& Launcher() override { return launcher; }
    Clock& Timing() override { return clock; }
    MessageDialog& Messages() override { return messages; }
    HostWindow& Window() override { return window; }
    IconFactory& Icons() override { return icons; }
    TrayShell& Tray() override { return tray; }

    std::vector<std::string> journal;
    FakeFileSystem files;
    NoListing listing;
    NoLauncher launcher;
    NoClock clock;
    FakeMessageDialog messages;
    JournalHostWindow window;
    FakeIconFactory icons;
    FakeTrayShell tray;
};

FakeHostWindow::Message Close() {
    return {[](WindowEvents& e) { e.OnClose(); }, true};
}

TEST(ProgramTray, StartsTheTrayWithTheWindowAndTakesItDownAfterIt) {
    FakePlatform platform;
    platform.window.Queue(Close());
    EXPECT_EQ(RunProgram(platform), 0);

    const std::vector<std::string> expected = {
        "CreateWindow",  "AddIcon",    "ModifyIcon",  "NewPopupMenu", "StartTimer",
        "DestroyWindow", "DeleteIcon", "ReleaseIcon", "ReleaseIcon",  "ReleaseIcon"};
    EXPECT_EQ(platform.journal, expected);
    ASSERT_EQ(platform.icons.requests.size(), 3u) << "the images are loaded before the window";
    const IconId idle = 1001;
    EXPECT_EQ(platform.tray.notifications[0].record.icon, idle);
    EXPECT_EQ(platform.tray.notifications[0].record.window, 42u);
    EXPECT_EQ(platform.tray.notifications[1].record.tip, "Belegbote V1.0");
    ASSERT_EQ(platform.tray.appended.size(), 3u);
    EXPECT_EQ(platform.tray.appended[2].entry.text, "Belegbote V1.0 beenden");
    EXPECT_EQ(platform.tray.appended[2].entry.image, idle);
    EXPECT_TRUE(platform.icons.alive.empty());
}

TEST(ProgramTray, WithoutAWindowTheMenuIsStillBuiltButNoIconIsAdded) {
    FakePlatform platform;
    platform.window.createFails = true;
    EXPECT_EQ(RunProgram(platform), 0);

    const std::vector<std::string> expected = {"CreateWindow", "Message Belegbote V1.0 - Problem:",
                                               "NewPopupMenu", "DestroyWindow",
                                               "ReleaseIcon",  "ReleaseIcon",
                                               "ReleaseIcon"};
    EXPECT_EQ(platform.journal, expected);
}

TEST(ProgramTray, ARightPressOnTheIconOpensTheMenuAtTheHostWindow) {
    FakePlatform platform;
    platform.window.Queue({[](WindowEvents& e) { e.OnTrayCallback(1, 0x0204); }});
    platform.window.Queue(Close());
    RunProgram(platform);

    ASSERT_EQ(platform.tray.tracked.size(), 1u);
    EXPECT_EQ(platform.tray.tracked[0].owner, 42u);
    EXPECT_EQ(platform.tray.tracked[0].menu, platform.tray.menuToCreate);
}

TEST(ProgramTray, WithoutAConfigurationThereIsNoTrayAtAll) {
    FakePlatform platform;
    platform.files.files.clear();
    EXPECT_EQ(RunProgram(platform), 0);
    EXPECT_TRUE(platform.icons.requests.empty());
    EXPECT_TRUE(platform.tray.calls.empty());
}

}  // namespace
}  // namespace belegbote
