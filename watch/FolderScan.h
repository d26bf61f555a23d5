#pragma once
// One scan of the watched folder per timer tick: every matching file is handed off.
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "config/Settings.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"
#include "platform/ProcessLauncher.h"
#include "watch/FolderEnumerator.h"
#include "watch/HandOff.h"
#include "watch/TraySignal.h"

namespace belegbote {

// The name to pass on for an entry: its own name, or its short name when the
// long one cannot be passed as it stands; none when neither can.
std::optional<std::string> PassableName(const ListedEntry& entry);

class FolderScan {
public:
    FolderScan(const Settings& settings, FolderListing& listing, FileSystem& files,
               ProcessLauncher& launcher, Clock& clock, TraySignal& tray);

    // Lists the folder once and hands off each file, one after the other.
    void Run();

private:
    struct Fingerprint {
        std::uint64_t size = 0;
        std::uint64_t lastChange = 0;
        bool operator==(const Fingerprint&) const = default;
    };

    void TakeEntry(const ListedEntry& entry);
    // True when the entry was set aside earlier and has not changed since.
    bool SetAsideUnchanged(const ListedEntry& entry);

    const Settings& settings_;
    FolderEnumerator enumerator_;
    HandOff handOff_;
    // Files this run will not hand off again while they stay as they are:
    // ones that could not be deleted after their hand-off, and ones whose
    // name cannot be passed on. Keyed by the listed name. A file left in
    // place after its hand-off is fingerprinted when it is next listed, since
    // the program it went to may have touched it.
    std::map<std::string, std::optional<Fingerprint>> setAside_;
};

}  // namespace belegbote
