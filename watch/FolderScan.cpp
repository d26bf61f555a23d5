#include "watch/FolderScan.h"

#include <string_view>

namespace belegbote {

namespace {

// The path goes to the program as `/a "<path>"`: a double quote in it would
// end the quoted text early and let the rest of the name become arguments of
// its own; a closing backslash would escape the closing quote. The platforms
// mark such names already; this holds whatever a listing delivers.
bool FitsBetweenQuotes(std::string_view name) {
    return !name.empty() && name.find('"') == std::string_view::npos && name.back() != '\\';
}

}  // namespace

std::optional<std::string> PassableName(const ListedEntry& entry) {
    if (!entry.nameUnusable && FitsBetweenQuotes(entry.name)) {
        return entry.name;
    }
    if (FitsBetweenQuotes(entry.shortName)) {
        return entry.shortName;
    }
    return std::nullopt;
}

FolderScan::FolderScan(const Settings& settings, FolderListing& listing, FileSystem& files,
                       ProcessLauncher& launcher, Clock& clock, TraySignal& tray)
    : settings_(settings),
      enumerator_(listing),
      handOff_(settings, listing.PathSeparator(), files, launcher, clock, tray) {}

void FolderScan::Run() {
    if (!enumerator_.OpenListing(settings_.ScanPfad, settings_.ScanDateiType)) {
        return;
    }
    // The listing stays open across the hand-offs; deleting an entry that was
    // already delivered does not disturb it.
    while (enumerator_.NextEntry()) {
        if (enumerator_.EntryIsFile()) {
            TakeEntry(enumerator_.Entry());
        }
    }
    enumerator_.CloseListing();
}

void FolderScan::TakeEntry(const ListedEntry& entry) {
    if (SetAsideUnchanged(entry)) {
        return;
    }
    const std::optional<std::string> name = PassableName(entry);
    if (!name) {
        setAside_[entry.name] = Fingerprint{entry.size, entry.lastChange};
        return;
    }
    if (handOff_.Run(*name) == HandOffResult::LeftInPlace) {
        setAside_[entry.name] = std::nullopt;
    }
}

bool FolderScan::SetAsideUnchanged(const ListedEntry& entry) {
    auto it = setAside_.find(entry.name);
    if (it == setAside_.end()) {
        return false;
    }
    const Fingerprint now{entry.size, entry.lastChange};
    if (!it->second) {
        it->second = now;
        return true;
    }
    if (*it->second == now) {
        return true;
    }
    // A changed file is a new file to hand off.
    setAside_.erase(it);
    return false;
}

}  // namespace belegbote
