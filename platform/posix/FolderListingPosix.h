#pragma once
#include "platform/FolderListing.h"

namespace belegbote {

class FolderListingPosix final : public FolderListing {
public:
    ~FolderListingPosix() override;
    ListingStart FindFirst(const std::string& searchText, ListedEntry& first) override;
    bool FindNext(ListedEntry& next) override;
    void FindClose() override;
    char PathSeparator() const override;

private:
    void* handle_ = nullptr;
};

}  // namespace belegbote
