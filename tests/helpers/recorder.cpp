// Test helper standing in for the program a file is handed to. Each run
// appends one line to the log named by BELEGBOTE_RECORD_LOG (default
// "recorder.log" in its working folder):
//   cmdline=<command line>|argc=<n>|arg1=<...>|...|exists=<0|1>|cwd=<folder>
// The command line is the raw one on Windows and the arguments joined by
// blanks on POSIX; exists tells whether the file named by the last argument
// was there at the start, and size its size then. Just before it ends it
// appends a second line, "end|exists=<0|1>", so a test can tell that the file
// was still there when the program ended. As the environment asks:
//   BELEGBOTE_RECORD_SLEEP_MS  sleep that long before ending
//   BELEGBOTE_RECORD_HOLD_MS   keep the file of the last argument open that
//                              long after this program has ended (Windows:
//                              without delete sharing, so it cannot be deleted)
//   BELEGBOTE_RECORD_EXIT      the exit code
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const char* const HoldArgument = "--hold";

long EnvNumber(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::strtol(value, nullptr, 10) : 0;
}

void SleepMs(long ms) {
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

std::string RawCommandLine(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    return GetCommandLineA();
#else
    std::string line;
    for (int i = 0; i < argc; ++i) {
        line.append(i > 0 ? " " : "").append(argv[i]);
    }
    return line;
#endif
}

void AppendToLog(const std::string& line) {
    const char* logName = std::getenv("BELEGBOTE_RECORD_LOG");
    std::ofstream log(logName != nullptr ? logName : "recorder.log",
                      std::ios::binary | std::ios::app);
    log << line;
}

bool LastArgumentExists(int argc, char** argv) {
    std::error_code error;
    return argc > 1 && std::filesystem::exists(argv[argc - 1], error);
}

void Record(int argc, char** argv) {
    std::string line = "cmdline=" + RawCommandLine(argc, argv);
    line += "|argc=" + std::to_string(argc);
    for (int i = 1; i < argc; ++i) {
        line += "|arg" + std::to_string(i) + "=" + argv[i];
    }
    std::error_code error;
    const bool exists = LastArgumentExists(argc, argv);
    line += std::string("|exists=") + (exists ? "1" : "0");
    const auto size = exists ? std::filesystem::file_size(argv[argc - 1], error) : 0;
    line += "|size=" + std::to_string(error ? 0 : size);
    line += "|cwd=" + std::filesystem::current_path(error).string() + "\n";
    AppendToLog(line);
}

// Leaves a process behind that holds `path` open for `ms` milliseconds.
void HoldAfterEnd(const char* path, long ms) {
#ifdef _WIN32
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string line = std::string("\"") + self + "\" " + HoldArgument + " " + std::to_string(ms);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    // The holder inherits the file handle and keeps it until it ends.
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
#else
    const int fd = open(path, O_RDONLY);
    if (fork() == 0) {
        SleepMs(ms);
        _exit(0);
    }
    if (fd >= 0) {
        close(fd);
    }
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == HoldArgument) {
        SleepMs(std::strtol(argv[2], nullptr, 10));
        return 0;
    }
    Record(argc, argv);
    SleepMs(EnvNumber("BELEGBOTE_RECORD_SLEEP_MS"));
    AppendToLog(std::string("end|exists=") + (LastArgumentExists(argc, argv) ? "1" : "0") + "\n");
    const long holdMs = EnvNumber("BELEGBOTE_RECORD_HOLD_MS");
    if (holdMs > 0 && argc > 1) {
        HoldAfterEnd(argv[argc - 1], holdMs);
    }
    return static_cast<int>(EnvNumber("BELEGBOTE_RECORD_EXIT"));
}
