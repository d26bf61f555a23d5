// Reads a configuration file the way start-up does (ConfigReader over the
// platform's file system, the five values of the group Allgemein) and prints
// the wall and CPU time of that, the process's peak resident memory, and the
// five values.
//   bench_config_read <file>
#include <time.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/Program.h"
#include "config/ConfigReader.h"
#include "platform/Platform.h"

namespace {

double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// VmHWM of /proc/self/status: the peak resident set so far, in KiB.
long PeakResidentKiB() {
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file>\n", argv[0]);
        return 2;
    }
    auto platform = belegbote::CreatePlatform();
    const double wallStart = Seconds(CLOCK_MONOTONIC);
    const double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    belegbote::ConfigReader reader(platform->Files());
    if (!reader.Open(argv[1])) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const belegbote::Settings settings = belegbote::ReadSettings(reader);
    const double wall = Seconds(CLOCK_MONOTONIC) - wallStart;
    const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    std::printf("ms=%.1f cpu_ms=%.1f peak_kib=%ld values=%s|%s|%s|%d|%d\n", wall * 1e3, cpu * 1e3,
                PeakResidentKiB(), settings.Programm.c_str(), settings.ScanPfad.c_str(),
                settings.ScanDateiType.c_str(), settings.ScanTimer, settings.WarteTimer);
    return 0;
}
