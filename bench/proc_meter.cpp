// Runs a command as a real process and reports what the kernel accounted for
// it. Without --for the command runs to its end; with --for it runs that many
// seconds after a settling second and is then ended with SIGTERM (sent to its
// process group, so a shell loop's sleep ends too).
//   bench_proc_meter [--for SECONDS] [--cwd DIR] [--out FILE] -- command args...
// One line of key=value pairs:
//   cpu_us     user + system time of the command and every descendant it
//              reaped, from wait4 (the whole life, start-up included)
//   wall_ms    from the start to the end of the command
//   maxrss_kib its peak resident set (ru_maxrss)
//   switches   voluntary + involuntary context switches of all of them
// and with --for, the command's own main thread in the measured window only:
//   steady_s, steady_cpu_us (/proc/PID/schedstat), steady_switches
//   (/proc/PID/status), hwm_kib (VmHWM just before the end)
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

struct Snapshot {
    double cpuUs = 0;
    long switches = 0;
    long hwmKib = 0;
};

double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void SleepSeconds(double seconds) {
    timespec span{
        static_cast<time_t>(seconds),
        static_cast<long>((seconds - static_cast<double>(static_cast<time_t>(seconds))) * 1e9)};
    while (nanosleep(&span, &span) != 0) {
    }
}

Snapshot Take(pid_t pid) {
    Snapshot snapshot;
    std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
    double ns = 0;
    schedstat >> ns;
    snapshot.cpuUs = ns / 1e3;
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    while (status >> word) {
        long value = 0;
        if (word == "voluntary_ctxt_switches:" || word == "nonvoluntary_ctxt_switches:") {
            status >> value;
            snapshot.switches += value;
        } else if (word == "VmHWM:") {
            status >> snapshot.hwmKib;
        }
    }
    return snapshot;
}

pid_t Start(char** command, const char* cwd, const char* out) {
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        if (cwd != nullptr && chdir(cwd) != 0) {
            _exit(126);
        }
        const int fd = open(out != nullptr ? out : "/dev/null", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fd, STDOUT_FILENO);
        execvp(command[0], command);
        _exit(127);
    }
    setpgid(child, child);
    return child;
}

}  // namespace

int main(int argc, char** argv) {
    double forSeconds = -1;
    const char* cwd = nullptr;
    const char* out = nullptr;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; i += 2) {
        if (i + 1 >= argc) {
            return 2;
        }
        if (std::strcmp(argv[i], "--for") == 0) {
            forSeconds = std::atof(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--cwd") == 0) {
            cwd = argv[i + 1];
        } else if (std::strcmp(argv[i], "--out") == 0) {
            out = argv[i + 1];
        }
    }
    if (i + 1 >= argc) {
        std::fprintf(stderr, "usage: %s [--for S] [--cwd DIR] [--out FILE] -- command...\n",
                     argv[0]);
        return 2;
    }
    const double started = Now();
    const pid_t child = Start(argv + i + 1, cwd, out);
    Snapshot first, last;
    if (forSeconds >= 0) {
        SleepSeconds(1.0);
        first = Take(child);
        SleepSeconds(forSeconds);
        last = Take(child);
        kill(-child, SIGTERM);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double wall = Now() - started;
    const double cpuUs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e6 +
                         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    std::printf("cpu_us=%.0f wall_ms=%.1f maxrss_kib=%ld switches=%ld", cpuUs, wall * 1e3,
                usage.ru_maxrss, usage.ru_nvcsw + usage.ru_nivcsw);
    if (forSeconds >= 0) {
        std::printf(" steady_s=%.3f steady_cpu_us=%.1f steady_switches=%ld hwm_kib=%ld", forSeconds,
                    last.cpuUs - first.cpuUs, last.switches - first.switches, last.hwmKib);
    }
    std::printf(" exit=%d\n", WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    return 0;
}
