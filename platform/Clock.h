#pragma once
// Pauses and a monotonic clock.
#include <cstdint>

namespace belegbote {

class Clock {
public:
    virtual ~Clock() = default;
    // Sleeps `ms` milliseconds with a 1 ms timer resolution requested for the
    // pause alone. 0 only yields the rest of the time slice.
    virtual void Pause(std::uint32_t ms) = 0;
    virtual std::uint64_t NowMs() = 0;
};

}  // namespace belegbote
