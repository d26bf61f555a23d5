#include "platform/posix/FolderListingPosix.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <string_view>

namespace belegbote {

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool MatchesPlain(std::string_view pattern, std::string_view name) {
    // Iterative wildcard match: remember the last '*' and retry from there.
    std::size_t p = 0, n = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool Matches(std::string_view pattern, std::string_view name) {
    if (MatchesPlain(pattern, name)) {
        return true;
    }
    // As on Windows, a closing ".*" also fits a name without that dot:
    // "*.*" lists every name, "brief.*" also finds "brief".
    constexpr std::string_view dotStar = ".*";
    if (pattern.size() >= dotStar.size() && pattern.substr(pattern.size() - 2) == dotStar) {
        return MatchesPlain(pattern.substr(0, pattern.size() - 2), name);
    }
    return false;
}

// Names that cannot be put between the double quotes of a command line.
bool NameUnusable(std::string_view name) {
    return name.find('"') != std::string_view::npos || (!name.empty() && name.back() == '\\');
}

}  // namespace

FolderListingPosix::~FolderListingPosix() {
    FindClose();
}

ListingStart FolderListingPosix::FindFirst(const std::string& searchText, ListedEntry& first) {
    FindClose();
    const std::size_t slash = searchText.rfind('/');
    std::string folder = ".";
    if (slash != std::string::npos) {
        folder = slash == 0 ? "/" : searchText.substr(0, slash);
    }
    pattern_ = slash == std::string::npos ? searchText : searchText.substr(slash + 1);
    dir_ = ::opendir(folder.c_str());
    if (dir_ == nullptr) {
        return ListingStart::Failed;
    }
    if (ReadMatch(first)) {
        return ListingStart::Opened;
    }
    FindClose();
    return ListingStart::NoMatch;
}

bool FolderListingPosix::FindNext(ListedEntry& next) {
    return dir_ != nullptr && ReadMatch(next);
}

void FolderListingPosix::FindClose() {
    if (dir_ != nullptr) {
        ::closedir(dir_);
        dir_ = nullptr;
    }
}

char FolderListingPosix::PathSeparator() const {
    return '/';
}

bool FolderListingPosix::ReadMatch(ListedEntry& entry) {
    while (const dirent* found = ::readdir(dir_)) {
        if (!Matches(pattern_, found->d_name)) {
            continue;
        }
        entry = ListedEntry{};
        entry.name = found->d_name;
        entry.nameUnusable = NameUnusable(entry.name);
        entry.isDirectory = found->d_type == DT_DIR;
        if (entry.isDirectory) {
            return true;  // directories are skipped by the scan: no stat for them
        }
        // Only matches pay a stat. Links count as what they point to; an
        // entry gone meanwhile, or a dangling link, is left out.
        struct stat info {};
        if (::fstatat(::dirfd(dir_), found->d_name, &info, 0) != 0) {
            continue;
        }
        entry.isDirectory = S_ISDIR(info.st_mode);
        entry.size = static_cast<std::uint64_t>(info.st_size);
        entry.lastChange = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1'000'000'000u +
                           static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
        return true;
    }
    return false;
}

}  // namespace belegbote
