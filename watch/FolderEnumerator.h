#pragma once
// One wildcard listing of a folder, entry by entry, over the platform's listing.
#include <string>
#include <string_view>

#include "platform/FolderListing.h"

namespace belegbote {

// The folder, a separator unless the folder is empty or already ends in one,
// and the pattern ("*.*" when it is empty).
std::string BuildSearchText(std::string_view folder, std::string_view pattern, char separator);

class FolderEnumerator {
public:
    explicit FolderEnumerator(FolderListing& listing) : listing_(listing) {}
    ~FolderEnumerator() { CloseListing(); }
    FolderEnumerator(const FolderEnumerator&) = delete;
    FolderEnumerator& operator=(const FolderEnumerator&) = delete;

    // False when the folder cannot be listed; a folder without a match opens
    // fine and delivers no entry.
    bool OpenListing(const std::string& folder, const std::string& pattern);
    // True when a further entry is now current.
    bool NextEntry();
    bool EntryIsFile() const { return !current_.isDirectory; }
    const std::string& EntryName() const { return current_.name; }
    const ListedEntry& Entry() const { return current_; }
    // Releases the listing; harmless when nothing is open.
    void CloseListing();

private:
    FolderListing& listing_;
    bool hasHandle_ = false;
    bool firstPending_ = false;
    ListedEntry current_;
};

}  // namespace belegbote
