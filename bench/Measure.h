#pragma once
// Clocks and memory figures the bench programs report.
#include <time.h>

#include <fstream>
#include <string>

namespace bench {

inline double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// VmHWM of /proc/self/status: the peak resident set so far, in KiB.
inline long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmHWM:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

}  // namespace bench
