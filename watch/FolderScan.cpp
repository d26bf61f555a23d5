#include "watch/FolderScan.h"

namespace belegbote {

std::optional<std::string> PassableName(const ListedEntry& entry) {
    if (!entry.nameUnusable) {
        return entry.name;
    }
    if (!entry.shortName.empty()) {
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
