#include "watch/FolderEnumerator.h"

namespace belegbote {

std::string BuildSearchText(std::string_view folder, std::string_view pattern, char separator) {
    std::string text(folder);
    if (!folder.empty() && folder.back() != separator) {
        text.push_back(separator);
    }
    text.append(pattern.empty() ? std::string_view("*.*") : pattern);
    return text;
}

bool FolderEnumerator::OpenListing(const std::string& folder, const std::string& pattern) {
    CloseListing();
    const std::string searchText = BuildSearchText(folder, pattern, listing_.PathSeparator());
    current_ = ListedEntry{};
    switch (listing_.FindFirst(searchText, current_)) {
        case ListingStart::Opened:
            hasHandle_ = true;
            firstPending_ = true;
            return true;
        case ListingStart::NoMatch: return true;
        case ListingStart::Failed: break;
    }
    return false;
}

bool FolderEnumerator::NextEntry() {
    if (!hasHandle_) {
        return false;
    }
    if (firstPending_) {
        firstPending_ = false;
        return true;
    }
    // Any failure ends the listing; what was not delivered is found next time.
    return listing_.FindNext(current_);
}

void FolderEnumerator::CloseListing() {
    if (hasHandle_) {
        listing_.FindClose();
    }
    hasHandle_ = false;
    firstPending_ = false;
}

}  // namespace belegbote
