#include "platform/posix/ClockPosix.h"

#include <sched.h>
#include <time.h>

#include <cerrno>

namespace belegbote {

void ClockPosix::Pause(std::uint32_t ms) {
    if (ms == 0) {
        sched_yield();
        return;
    }
    timespec remaining{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1'000'000L};
    // A signal cuts the sleep short; sleep on for what is left.
    while (clock_nanosleep(CLOCK_MONOTONIC, 0, &remaining, &remaining) == EINTR) {
    }
}

std::uint64_t ClockPosix::NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u +
           static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000u;
}

}  // namespace belegbote
