#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <memory>

#include "platform/Platform.h"

namespace belegbote {
namespace {

using Steady = std::chrono::steady_clock;

long long MsSince(Steady::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - start).count();
}

TEST(Clock, APauseLastsAtLeastItsLengthAndTheClockSeesIt) {
    auto platform = CreatePlatform();
    Clock& clock = platform->Timing();
    for (int round = 0; round < 3; ++round) {
        const auto start = Steady::now();
        const std::uint64_t before = clock.NowMs();
        clock.Pause(250);
        const long long measured = MsSince(start);
        const std::uint64_t seen = clock.NowMs() - before;
        std::cout << "[ report ] Pause(250): " << measured << " ms, the clock saw " << seen
                  << " ms\n";
        EXPECT_GE(measured, 250);
        EXPECT_LT(measured, 1000);
        EXPECT_GE(seen, 249u);  // the two clocks may round differently
        EXPECT_LT(seen, 1000u);
    }
}

TEST(Clock, PauseZeroOnlyYields) {
    auto platform = CreatePlatform();
    const auto start = Steady::now();
    for (int i = 0; i < 10; ++i) {
        platform->Timing().Pause(0);
    }
    EXPECT_LT(MsSince(start), 200);
}

}  // namespace
}  // namespace belegbote
