#pragma once
// A clock whose time moves only when something pauses.
#include <cstdint>
#include <string>

#include "fakes/CallLog.h"
#include "platform/Clock.h"

namespace belegbote::testing {

class FakeClock : public Clock {
public:
    explicit FakeClock(CallLog& log) : log_(log) {}

    void Pause(std::uint32_t ms) override {
        log_.push_back("Pause " + std::to_string(ms));
        now += ms;
    }
    std::uint64_t NowMs() override { return now; }

    std::uint64_t now = 1'000'000;

private:
    CallLog& log_;
};

}  // namespace belegbote::testing
