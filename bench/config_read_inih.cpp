// The peer of bench_config_read: Debian's inih parses the same file into the
// same five values (group Allgemein, keys without regard to case, the first
// occurrence wins, numbers as strtol reads them). Same output format.
//   bench_config_read_inih <file>
#include <ini.h>
#include <strings.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "Measure.h"

namespace {

struct Values {
    std::string programm, scanPfad, scanDateiType;
    long scanTimer = 0, warteTimer = 0;
    bool seen[5] = {};
};

int Take(void* user, const char* section, const char* name, const char* value) {
    auto& values = *static_cast<Values*>(user);
    if (strcasecmp(section, "Allgemein") != 0) {
        return 1;
    }
    const char* const keys[] = {"Programm", "ScanPfad", "ScanDateiType", "ScanTimer", "WarteTimer"};
    for (int i = 0; i < 5; ++i) {
        if (values.seen[i] || strcasecmp(name, keys[i]) != 0) {
            continue;
        }
        values.seen[i] = true;
        switch (i) {
            case 0: values.programm = value; break;
            case 1: values.scanPfad = value; break;
            case 2: values.scanDateiType = value; break;
            case 3: values.scanTimer = std::strtol(value, nullptr, 10); break;
            case 4: values.warteTimer = std::strtol(value, nullptr, 10); break;
        }
    }
    return 1;
}



}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file>\n", argv[0]);
        return 2;
    }
    Values values;
    const double wallStart = bench::Seconds(CLOCK_MONOTONIC);
    const double cpuStart = bench::Seconds(CLOCK_PROCESS_CPUTIME_ID);
    if (ini_parse(argv[1], Take, &values) < 0) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const double wall = bench::Seconds(CLOCK_MONOTONIC) - wallStart;
    const double cpu = bench::Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    std::printf("ms=%.1f cpu_ms=%.1f peak_kib=%ld values=%s|%s|%s|%ld|%ld\n", wall * 1e3, cpu * 1e3,
                bench::PeakResidentKiB(), values.programm.c_str(), values.scanPfad.c_str(),
                values.scanDateiType.c_str(), values.scanTimer, values.warteTimer);
    return 0;
}
