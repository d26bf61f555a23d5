#include "platform/win32/FolderListingWin32.h"

#include <windows.h>

#include <cstring>

namespace belegbote {

namespace {

// Characters no Windows file name can hold. In a listed name they stand for
// characters the ANSI code page lacks ('?' for most, a look-alike such as '"'
// for some), or come as they stand from a foreign file system (a Unix folder
// under Wine, a share); the path would then name another file, or end the
// quotes of the command line early.
bool HasImpossibleCharacter(const char* name) {
    for (const char* c = name; *c != '\0'; ++c) {
        if (static_cast<unsigned char>(*c) < 0x20 || std::strchr("?*\"<>|:/\\", *c) != nullptr) {
            return true;
        }
    }
    return false;
}

bool SameFile(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
    return std::strcmp(a.cAlternateFileName, b.cAlternateFileName) == 0 &&
           a.nFileSizeLow == b.nFileSizeLow && a.nFileSizeHigh == b.nFileSizeHigh &&
           ::CompareFileTime(&a.ftCreationTime, &b.ftCreationTime) == 0 &&
           ::CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

// The ANSI name may also be a best-fit stand-in ("O" for an omega) that names
// another file or none: only a name that leads back to this entry is usable.
bool NameLeadsBack(const std::string& folderPrefix, const WIN32_FIND_DATAA& data) {
    if (HasImpossibleCharacter(data.cFileName)) {
        return false;
    }
    WIN32_FIND_DATAA again{};
    HANDLE found = ::FindFirstFileA((folderPrefix + data.cFileName).c_str(), &again);
    if (found == INVALID_HANDLE_VALUE) {
        // The folder itself went away while it was listed: that says nothing
        // of the name, and the hand-off finds the file gone. Setting the file
        // aside here would keep it from being handed off once it is back.
        return ::GetLastError() == ERROR_PATH_NOT_FOUND;
    }
    ::FindClose(found);
    return SameFile(data, again);
}

void FillEntry(const std::string& folderPrefix, const WIN32_FIND_DATAA& data, ListedEntry& entry) {
    entry = ListedEntry{};
    entry.name = data.cFileName;
    entry.shortName = data.cAlternateFileName;
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.nameUnusable = !entry.isDirectory && !NameLeadsBack(folderPrefix, data);
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.lastChange = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                       data.ftLastWriteTime.dwLowDateTime;
}

// The search text up to its last separator: what a listed name is appended to.
std::string FolderPrefix(const std::string& searchText) {
    const std::size_t end = searchText.find_last_of("\\/:");
    return end == std::string::npos ? std::string() : searchText.substr(0, end + 1);
}

}  // namespace

FolderListingWin32::~FolderListingWin32() {
    FindClose();
}

ListingStart FolderListingWin32::FindFirst(const std::string& searchText, ListedEntry& first) {
    FindClose();
    WIN32_FIND_DATAA data{};
    HANDLE found = ::FindFirstFileA(searchText.c_str(), &data);
    if (found == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? ListingStart::NoMatch
                                                        : ListingStart::Failed;
    }
    handle_ = found;
    folderPrefix_ = FolderPrefix(searchText);
    FillEntry(folderPrefix_, data, first);
    return ListingStart::Opened;
}

bool FolderListingWin32::FindNext(ListedEntry& next) {
    if (handle_ == nullptr) {
        return false;
    }
    WIN32_FIND_DATAA data{};
    if (!::FindNextFileA(static_cast<HANDLE>(handle_), &data)) {
        return false;
    }
    FillEntry(folderPrefix_, data, next);
    return true;
}

void FolderListingWin32::FindClose() {
    if (handle_ != nullptr) {
        ::FindClose(static_cast<HANDLE>(handle_));
        handle_ = nullptr;
    }
}

char FolderListingWin32::PathSeparator() const {
    return '\\';
}

}  // namespace belegbote
