#pragma once
#include <string>

#include "platform/FolderListing.h"

namespace belegbote {

class FolderListingWin32 final : public FolderListing {
public:
    ~FolderListingWin32() override;
    ListingStart FindFirst(const std::string& searchText, ListedEntry& first) override;
    bool FindNext(ListedEntry& next) override;
    void FindClose() override;
    char PathSeparator() const override;

private:
    void* handle_ = nullptr;
    std::string folderPrefix_;  // prepended to a listed name to look it up again
};

}  // namespace belegbote
