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
    // The platform would cut the text at a NUL byte and list another folder
    // than the one the file paths are built from: such a folder names none.
    if (folder.find('\0') != std::string::npos || pattern.find('\0') != std::string::npos) {
        return false;
    }
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
