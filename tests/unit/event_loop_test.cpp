#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/EventLoop.h"
#include "app/EventQueue.h"
#include "app/EventSource.h"
#include "fakes/FakeHostWindow.h"

namespace belegbote {
namespace {

using testing::FakeHostWindow;
using Message = FakeHostWindow::Message;

Message Close() { return {[](WindowEvents& e) { e.OnClose(); }, true}; }
Message Command(std::uint32_t id) { return {[id](WindowEvents& e) { e.OnCommand(id); }}; }
Message Timer(std::uint32_t id) { return {[id](WindowEvents& e) { e.OnTimer(id); }}; }
Message Tray(std::uint32_t mouse) { return {[mouse](WindowEvents& e) { e.OnTrayCallback(1, mouse); }}; }
Message Other() { return {nullptr}; }

constexpr std::uint32_t LeftDown = 0x0201, LeftDouble = 0x0203, RightDown = 0x0204,
                        RightDouble = 0x0206, RightUp = 0x0205, MouseMove = 0x0200;

struct RecordingReactions : LoopReactions {
    void ShowMenu() override { calls.push_back("ShowMenu"); }
    void OpenWebPage() override { calls.push_back("OpenWebPage"); }
    void RunScan() override { calls.push_back("RunScan"); }
    std::vector<std::string> calls;
};

TEST(EventQueue, DropsAnEventEqualToTheNewestWaitingOne) {
    EventQueue queue;
    const AppEvent right{EventKind::TrayEvent, 1, TrayClick::RightPress};
    const AppEvent left{EventKind::TrayEvent, 1, TrayClick::LeftPress};
    queue.Push(right);
    queue.Push(right);
    queue.Push(left);
    queue.Push(right);  // equal to an older one, not the newest: kept
    EXPECT_EQ(queue.PopOldest(), right);
    EXPECT_EQ(queue.PopOldest(), left);
    EXPECT_EQ(queue.PopOldest(), right);
    EXPECT_FALSE(queue.PopOldest().has_value());
}

TEST(WaitEvent, DeliversEachKindAsTheWindowReportsIt) {
    FakeHostWindow window;
    EventSource source(window);
    window.Create("t", source);
    window.Queue(Timer(1));
    window.Queue(Command(0x10003));  // the id is the low word
    window.Queue(Other());
    window.Queue(Tray(RightDown));

    EXPECT_EQ(source.WaitEvent(250), (AppEvent{EventKind::TimerEvent, 1}));
    EXPECT_EQ(source.WaitEvent(250), (AppEvent{EventKind::MenuEvent, 3}));
    EXPECT_EQ(source.WaitEvent(250), AppEvent{});
    // A tray click goes through the queue: the dispatching call says nothing,
    // the next one delivers it without waiting.
    EXPECT_EQ(source.WaitEvent(250), AppEvent{});
    const std::size_t waitsBefore = window.waits.size();
    EXPECT_EQ(source.WaitEvent(250), (AppEvent{EventKind::TrayEvent, 1, TrayClick::RightPress}));
    EXPECT_EQ(window.waits.size(), waitsBefore);
    // Nothing left: the wait runs out with the timeout given.
    EXPECT_EQ(source.WaitEvent(250), AppEvent{});
    EXPECT_EQ(window.waits.back(), 250u);
}

TEST(WaitEvent, CloseMessageIsACloseRequestAtOnceAndOnceMoreFromTheQueue) {
    FakeHostWindow window;
    EventSource source(window);
    window.Create("t", source);
    window.Queue(Close());
    EXPECT_EQ(source.WaitEvent(250).kind, EventKind::CloseRequest);
    EXPECT_EQ(source.WaitEvent(250).kind, EventKind::CloseRequest);
    // A WM_CLOSE for no window of ours still ends the program.
    window.Queue({nullptr, true});
    EXPECT_EQ(source.WaitEvent(250).kind, EventKind::CloseRequest);
}

TEST(WaitEvent, MapsTrayMouseMessagesToClicks) {
    struct Case {
        std::uint32_t mouse;
        TrayClick click;
    };
    const Case cases[] = {{LeftDown, TrayClick::LeftPress},
                          {LeftDouble, TrayClick::LeftDoubleClick},
                          {RightDown, TrayClick::RightPress},
                          {RightDouble, TrayClick::RightDoubleClick},
                          {RightUp, TrayClick::None},
                          {MouseMove, TrayClick::None},
                          {0x0207 /* middle */, TrayClick::None}};
    for (const Case& c : cases) {
        FakeHostWindow window;
        EventSource source(window);
        window.Create("t", source);
        window.Queue(Tray(c.mouse));
        source.WaitEvent(250);
        const AppEvent next = source.WaitEvent(250);
        if (c.click == TrayClick::None) {
            EXPECT_EQ(next, AppEvent{}) << std::hex << c.mouse;
        } else {
            EXPECT_EQ(next, (AppEvent{EventKind::TrayEvent, 1, c.click})) << std::hex << c.mouse;
        }
    }
}

TEST(EventLoop, ReactsToEachEventAndEndsOnTheExitEntry) {
    FakeHostWindow window;
    EventSource source(window);
    window.Create("t", source);
    window.Queue(Tray(LeftDown));
    window.Queue(Tray(RightDown));
    window.Queue(Timer(1));
    window.Queue(Timer(7));      // another timer: nothing
    window.Queue(Command(3));
    window.Queue(Command(9));    // unknown command: nothing
    window.Queue(Command(2));
    window.Queue(Timer(1));      // never reached
    RecordingReactions reactions;
    RunEventLoop(source, reactions);
    EXPECT_EQ(reactions.calls, (std::vector<std::string>{"ShowMenu", "RunScan", "OpenWebPage"}));
    EXPECT_EQ(window.messages.size(), 1u);
    for (std::uint32_t wait : window.waits) {
        EXPECT_EQ(wait, LoopWaitMs);
    }
}

TEST(EventLoop, CloseRequestEndsTheLoopBeforeLaterTicks) {
    FakeHostWindow window;
    EventSource source(window);
    window.Create("t", source);
    window.Queue(Timer(1));
    window.Queue(Close());
    window.Queue(Timer(1));
    RecordingReactions reactions;
    RunEventLoop(source, reactions);
    EXPECT_EQ(reactions.calls, std::vector<std::string>{"RunScan"});
}

TEST(EventLoop, ExitEntryBecomesACloseRequest) {
    RecordingReactions reactions;
    AppEvent exitChoice{EventKind::MenuEvent, MenuIdExit};
    EXPECT_TRUE(ReactToEvent(exitChoice, reactions));
    EXPECT_EQ(exitChoice.kind, EventKind::CloseRequest);
    AppEvent idle{};
    EXPECT_FALSE(ReactToEvent(idle, reactions));
    EXPECT_TRUE(reactions.calls.empty());
}

}  // namespace
}  // namespace belegbote
