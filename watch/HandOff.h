#pragma once
// One file: flash the tray icon, hand the file to the program, wait, delete it.
#include <cstdint>
#include <string>
#include <string_view>

#include "config/Settings.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ProcessLauncher.h"
#include "watch/ProgramStarter.h"
#include "watch/TraySignal.h"

namespace belegbote {

inline constexpr std::uint32_t SignalStepMs = 250;
// How long a deletion that fails for another reason than "in use" is retried.
inline constexpr std::uint64_t RefusedDeleteLimitMs = 5000;

enum class HandOffResult {
    Done,         // handed to the program, and the file is gone
    NotReady,     // still being written, or gone before it was touched
    NotStarted,   // no program took it; it stays for a later tick
    LeftInPlace,  // handed to the program, but it could not be deleted
};

// The folder ("." when empty), always one separator, and the name.
std::string BuildFilePath(std::string_view folder, std::string_view name, char separator);

// /a and the path in double quotes.
std::string BuildParameterText(std::string_view filePath);

class HandOff {
public:
    HandOff(const Settings& settings, char separator, FileSystem& files, ProcessLauncher& launcher,
            Clock& clock, TraySignal& tray);

    // `name` is the entry's name in the watched folder, without folder part.
    HandOffResult Run(const std::string& name);

private:
    void FlashSignal();
    bool StartProgram(const std::string& filePath);
    void PauseAfterProgram();
    bool DeleteUntilGone(const std::string& filePath);

    const Settings& settings_;
    char separator_;
    FileSystem& files_;
    ProgramStarter starter_;
    Clock& clock_;
    TraySignal& tray_;
};

}  // namespace belegbote
