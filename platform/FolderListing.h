#pragma once
// One wildcard listing of a folder at a time.
#include <cstdint>
#include <string>

namespace belegbote {

struct ListedEntry {
    std::string name;              // long name, no folder part
    std::string shortName;         // 8.3 alias where the platform has one, else empty
    bool isDirectory = false;
    bool nameUnusable = false;     // the name cannot be passed on safely as it stands
    std::uint64_t size = 0;
    std::uint64_t lastChange = 0;  // platform ticks; compared only for equality
};

enum class ListingStart {
    Opened,     // `first` holds the first match
    NoMatch,    // the folder was read, nothing matches
    Failed,     // folder missing, not a folder, not readable, invalid text
};

class FolderListing {
public:
    virtual ~FolderListing() = default;

    virtual ListingStart FindFirst(const std::string& searchText, ListedEntry& first) = 0;
    // False when no entry is left or the listing broke off.
    virtual bool FindNext(ListedEntry& next) = 0;
    virtual void FindClose() = 0;

    // The separator between a folder and a name on this platform.
    virtual char PathSeparator() const = 0;
};

}  // namespace belegbote
