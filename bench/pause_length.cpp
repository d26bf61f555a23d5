// How long the product's pause of MS milliseconds really lasts: COUNT pauses
// through the platform's Clock, each measured with the steady clock and
// printed in ms with microsecond digits.
//   bench_pause_length <count> <ms>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/Platform.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <count> <ms>\n", argv[0]);
        return 2;
    }
    const int count = std::atoi(argv[1]);
    const auto ms = static_cast<std::uint32_t>(std::atoi(argv[2]));
    auto platform = belegbote::CreatePlatform();
    belegbote::Clock& clock = platform->Timing();
    for (int i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        clock.Pause(ms);
        const auto end = std::chrono::steady_clock::now();
        std::printf("%.3f\n", std::chrono::duration<double, std::milli>(end - start).count());
    }
    return 0;
}
