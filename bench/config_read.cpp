// Reads a configuration file the way start-up does (ConfigReader over the
// platform's file system, the five values of the group Allgemein) and prints
// the wall and CPU time of that, the process's peak resident memory, and the
// five values.
//   bench_config_read <file>
#include <time.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "Measure.h"

#include "app/Program.h"
#include "config/ConfigReader.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file>\n", argv[0]);
        return 2;
    }
    auto platform = belegbote::CreatePlatform();
    const double wallStart = bench::Seconds(CLOCK_MONOTONIC);
    const double cpuStart = bench::Seconds(CLOCK_PROCESS_CPUTIME_ID);
    belegbote::ConfigReader reader(platform->Files());
    if (!reader.Open(argv[1])) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const belegbote::Settings settings = belegbote::ReadSettings(reader);
    const double wall = bench::Seconds(CLOCK_MONOTONIC) - wallStart;
    const double cpu = bench::Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    std::printf("ms=%.1f cpu_ms=%.1f peak_kib=%ld values=%s|%s|%s|%d|%d\n", wall * 1e3, cpu * 1e3,
                bench::PeakResidentKiB(), settings.Programm.c_str(), settings.ScanPfad.c_str(),
                settings.ScanDateiType.c_str(), settings.ScanTimer, settings.WarteTimer);
    return 0;
}
