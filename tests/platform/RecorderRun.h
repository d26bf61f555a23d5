#pragma once
// The recorder helper program as the platform tests use it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace belegbote::testing {

inline void SetEnv(const std::string& name, const std::string& value) {
#ifdef _WIN32
    _putenv((name + "=" + value).c_str());  // also reaches programs we start
#else
    if (value.empty()) {
        unsetenv(name.c_str());
    } else {
        setenv(name.c_str(), value.c_str(), 1);
    }
#endif
}

// Its full path with the platform's separators, from BELEGBOTE_HELPERS.
inline std::string RecorderPath() {
    const char* helpers = std::getenv("BELEGBOTE_HELPERS");
    std::filesystem::path path = helpers != nullptr ? helpers : ".";
#ifdef _WIN32
    path /= "recorder.exe";
#else
    path /= "recorder";
#endif
    return std::filesystem::absolute(path).make_preferred().string();
}

// Clears the recorder's options and sends its lines to `logPath`.
inline void ResetRecorder(const std::string& logPath) {
    for (const char* option :
         {"BELEGBOTE_RECORD_SLEEP_MS", "BELEGBOTE_RECORD_HOLD_MS", "BELEGBOTE_RECORD_EXIT"}) {
        SetEnv(option, "");
    }
    SetEnv("BELEGBOTE_RECORD_LOG", logPath);
}

inline std::vector<std::string> ReadRecords(const std::filesystem::path& logPath) {
    std::ifstream in(logPath, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("end|", 0) != 0) {  // the closing lines say nothing of the start
            lines.push_back(line);
        }
    }
    return lines;
}

// The working folder a record names, after "|cwd=".
inline std::filesystem::path RecordedFolder(const std::string& record) {
    return record.substr(record.rfind("|cwd=") + 5);
}

}  // namespace belegbote::testing
