#include "platform/win32/FolderListingWin32.h"

#include <windows.h>

#include <cstring>

namespace belegbote {

namespace {

// '?' stands for characters the ANSI code page lacks. The others cannot be
// in a Windows file name at all, but a listing of a foreign file system (a
// Unix folder under Wine, a share) may deliver them as they stand; the path
// would then name another file, or end the quotes of the command line early.
bool NameUnusable(const char* name) {
    for (const char* c = name; *c != '\0'; ++c) {
        if (static_cast<unsigned char>(*c) < 0x20 || std::strchr("\"*:<>?|\\/", *c) != nullptr) {
            return true;
        }
    }
    return false;
}

void FillEntry(const WIN32_FIND_DATAA& data, ListedEntry& entry) {
    entry = ListedEntry{};
    entry.name = data.cFileName;
    entry.shortName = data.cAlternateFileName;
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.nameUnusable = NameUnusable(data.cFileName);
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.lastChange = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                       data.ftLastWriteTime.dwLowDateTime;
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
    FillEntry(data, first);
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
    FillEntry(data, next);
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
