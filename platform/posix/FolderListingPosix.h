#pragma once
#include <dirent.h>

#include <string>

#include "platform/FolderListing.h"

namespace belegbote {

// opendir/readdir over the folder part of the search text, matching the
// pattern part as the Windows listing does: '*' and '?', case-insensitive for
// ASCII letters, and "*.*" for every name.
class FolderListingPosix final : public FolderListing {
public:
    ~FolderListingPosix() override;
    ListingStart FindFirst(const std::string& searchText, ListedEntry& first) override;
    bool FindNext(ListedEntry& next) override;
    void FindClose() override;
    char PathSeparator() const override;

private:
    bool ReadMatch(ListedEntry& entry);

    DIR* dir_ = nullptr;
    std::string pattern_;
};

}  // namespace belegbote
