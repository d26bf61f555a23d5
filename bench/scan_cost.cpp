// CPU time of one scan of a folder, as the program runs it at every tick:
// FolderScan over the platform's listing, pattern *.pdf. Prints the CPU time
// of each of COUNT scans in microseconds (after one scan that warms the
// caches). The folder is meant to hold no match, so no hand-off runs.
//   bench_scan_cost <folder> <count>
#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "platform/Platform.h"
#include "watch/FolderScan.h"

namespace {

class NoTray final : public belegbote::TraySignal {
public:
    void ShowTrayImage(int) override { ++shown; }
    int shown = 0;
};

double CpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <folder> <count>\n", argv[0]);
        return 2;
    }
    belegbote::Settings settings;
    settings.ScanPfad = argv[1];
    settings.ScanDateiType = "*.pdf";
    auto platform = belegbote::CreatePlatform();
    NoTray tray;
    belegbote::FolderScan scan(settings, platform->Listing(), platform->Files(),
                               platform->Launcher(), platform->Timing(), tray);
    scan.Run();
    const int count = std::atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        const double start = CpuMicroseconds();
        scan.Run();
        std::printf("%.1f\n", CpuMicroseconds() - start);
    }
    if (tray.shown != 0) {
        std::fprintf(stderr, "a file matched: the figures include a hand-off\n");
        return 1;
    }
    return 0;
}
