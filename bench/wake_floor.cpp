// The floor of the program's idle design: the same wake-ups with no work.
// A timerfd ticks every second and poll waits at most 250 ms for it, as the
// native event loop does, but a tick only reads the timer; no folder is
// listed. Runs until it is ended by a signal.
//   bench_wake_floor
#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>

int main() {
    const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
    itimerspec every{};
    every.it_interval.tv_sec = 1;
    every.it_value.tv_sec = 1;
    if (timer < 0 || timerfd_settime(timer, 0, &every, nullptr) != 0) {
        return 1;
    }
    for (;;) {
        pollfd ready{timer, POLLIN, 0};
        if (poll(&ready, 1, 250) > 0) {
            std::uint64_t ticks = 0;
            if (read(timer, &ticks, sizeof ticks) != sizeof ticks) {
                return 1;
            }
        }
    }
}
