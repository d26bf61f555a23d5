#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace belegbote {
namespace {

struct TimerCounter : WindowEvents {
    void OnClose() override { ++closes; }
    void OnCommand(std::uint32_t) override {}
    void OnTimer(std::uint32_t id) override { timerIds.push_back(id); }
    void OnTrayCallback(std::uint32_t, std::uint32_t) override {}
    int closes = 0;
    std::vector<std::uint32_t> timerIds;
};

TEST(HostWindow, DeliversTheScanTimerAndWaitsOutQuietPeriods) {
    auto platform = CreatePlatform();
    HostWindow& window = platform->Window();
    TimerCounter events;
    ASSERT_NE(window.Create("Belegbote V1.0", events), 0u);
    EXPECT_EQ(window.PumpOne(30), PumpResult::NoMessage);
    window.StartTimer(1, 40);
    for (int i = 0; i < 100 && events.timerIds.empty(); ++i) {
        window.PumpOne(250);
    }
    ASSERT_FALSE(events.timerIds.empty());
    EXPECT_EQ(events.timerIds.front(), 1u);
    window.Destroy();
}

}  // namespace
}  // namespace belegbote
