// The platform's own cost of starting a program and seeing it end: the stand-in
// is started and waited for with the bare system calls, COUNT times, and each
// start's wall time less the stand-in's own run time is printed in ms.
//   bench_launch_floor <quick_exit program> <count>
// Run in a scratch folder: the stand-in appends to quick_exit.log there.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace {

bool StartAndWait(const std::string& program) {
#ifdef _WIN32
    std::string commandLine = "\"" + program + "\" /a \"probe.pdf\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;  // as the program starts it
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                          NORMAL_PRIORITY_CLASS, nullptr, ".", &startup, &process)) {
        return false;
    }
    ::CloseHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hProcess);
    return true;
#else
    std::string arg1 = "/a";
    std::string arg2 = "./probe.pdf";
    std::string arg0 = program;
    char* argv[] = {arg0.data(), arg1.data(), arg2.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        return false;
    }
    int status = 0;
    return waitpid(child, &status, 0) == child;
#endif
}

double LastRunMs() {
    std::ifstream log("quick_exit.log");
    std::string line, last;
    while (std::getline(log, line)) {
        last = line;
    }
    return last.empty() ? 0.0 : std::strtod(last.c_str(), nullptr) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <quick_exit program> <count>\n", argv[0]);
        return 2;
    }
    const int count = std::atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!StartAndWait(argv[1])) {
            std::fprintf(stderr, "cannot start %s\n", argv[1]);
            return 1;
        }
        const auto end = std::chrono::steady_clock::now();
        const double wallMs = std::chrono::duration<double, std::milli>(end - start).count();
        std::printf("%.3f\n", wallMs - LastRunMs());
    }
    return 0;
}
