// Watches one folder with inotify and prints each event as it arrives:
//   <CLOCK_MONOTONIC ns> <event> <name or "-">
// Events on the folder itself (a listing opening, reading, closing it) carry
// no name. Runs until it is ended by a signal; every line is flushed at once.
//   bench_folder_events <folder>
#include <sys/inotify.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

namespace {

const char* EventName(unsigned mask) {
    if (mask & IN_OPEN) return "OPEN";
    if (mask & IN_ACCESS) return "ACCESS";
    if (mask & IN_CLOSE_NOWRITE) return "CLOSE_NOWRITE";
    if (mask & IN_CLOSE_WRITE) return "CLOSE_WRITE";
    if (mask & IN_CREATE) return "CREATE";
    if (mask & IN_MOVED_TO) return "MOVED_TO";
    if (mask & IN_DELETE) return "DELETE";
    return "OTHER";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const int fd = inotify_init1(IN_CLOEXEC);
    const unsigned mask = IN_OPEN | IN_ACCESS | IN_CLOSE | IN_CREATE | IN_MOVED_TO | IN_DELETE;
    if (fd < 0 || inotify_add_watch(fd, argv[1], mask) < 0) {
        std::perror("inotify");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (got <= 0) {
            return 0;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            std::printf("%lld %s %s\n",
                        static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                        EventName(event->mask), event->len > 0 ? event->name : "-");
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
        std::fflush(stdout);
    }
}
