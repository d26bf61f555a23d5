#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/Platform.h"
#include "platform/ScratchFolder.h"
#include "watch/FolderEnumerator.h"

namespace belegbote {
namespace {

using testing::ScratchFolder;

class ListingTest : public ::testing::Test {
protected:
    std::string Search(const std::string& pattern) const {
        return BuildSearchText(folder.Text(), pattern, listing.PathSeparator());
    }
    // Every entry of one listing: name -> "dir" or "file".
    std::map<std::string, std::string> ListAll(const std::string& pattern) {
        std::map<std::string, std::string> seen;
        FolderEnumerator enumerator(listing);
        EXPECT_TRUE(enumerator.OpenListing(folder.Text(), pattern));
        while (enumerator.NextEntry()) {
            seen[enumerator.EntryName()] = enumerator.EntryIsFile() ? "file" : "dir";
        }
        enumerator.CloseListing();
        return seen;
    }
    bool OnWindows() const { return listing.PathSeparator() == '\\'; }

    std::unique_ptr<Platform> platform = CreatePlatform();
    FolderListing& listing = platform->Listing();
    ScratchFolder folder{"listing"};
};

TEST_F(ListingTest, MatchesExtensionsRegardlessOfCaseAndReportsMatchingFoldersAsFolders) {
    for (const char* name : {"a.pdf", "B.PDF", "c.Pdf", "d.txt", "e pdf"}) {
        folder.Write(name);
    }
    std::filesystem::create_directory(folder.Path() / "Ordner.pdf");
    using Listing = std::map<std::string, std::string>;
    EXPECT_EQ(
        ListAll("*.pdf"),
        Listing({{"a.pdf", "file"}, {"B.PDF", "file"}, {"c.Pdf", "file"}, {"Ordner.pdf", "dir"}}));
}

TEST_F(ListingTest, WildcardsFindWhatTheWindowsListingFinds) {
    for (const char* name : {"brief", "brief.txt", "x.txt", "xy.txt", "a.b.c"}) {
        folder.Write(name);
    }
    using Names = std::set<std::string>;
    const std::map<std::string, Names> expected = {
        {"*.*", {".", "..", "brief", "brief.txt", "x.txt", "xy.txt", "a.b.c"}},
        {"*", {".", "..", "brief", "brief.txt", "x.txt", "xy.txt", "a.b.c"}},
        {"", {".", "..", "brief", "brief.txt", "x.txt", "xy.txt", "a.b.c"}},
        {"?.txt", {"x.txt"}},
        {"*.TXT", {"brief.txt", "x.txt", "xy.txt"}},
        {"BRIEF.*", {"brief", "brief.txt"}},
        {"a.*.c", {"a.b.c"}},
        {"*y*", {"xy.txt"}},
    };
    for (const auto& [pattern, names] : expected) {
        Names seen;
        for (const auto& [name, kind] : ListAll(pattern)) {
            seen.insert(name);
        }
        EXPECT_EQ(seen, names) << "pattern [" << pattern << "]";
    }
    EXPECT_EQ(ListAll("*")["."], "dir");
    EXPECT_EQ(ListAll("*")[".."], "dir");
}

TEST_F(ListingTest, FolderThatCannotBeListedFailsAndOneWithoutMatchesIsEmpty) {
    folder.Write("a.txt");
    ListedEntry entry;
    const std::string missing = folder.Text("missing") + listing.PathSeparator() + "*.pdf";
    EXPECT_EQ(listing.FindFirst(missing, entry), ListingStart::Failed);
    const std::string fileAsFolder = folder.Text("a.txt") + listing.PathSeparator() + "*.pdf";
    EXPECT_EQ(listing.FindFirst(fileAsFolder, entry), ListingStart::Failed);
    EXPECT_EQ(listing.FindFirst(Search("*.pdf"), entry), ListingStart::NoMatch);
}

TEST_F(ListingTest, ReportsSizeAndAChangedModificationTime) {
    folder.Write("a.pdf", "12345");
    ListedEntry first;
    ASSERT_EQ(listing.FindFirst(Search("a.pdf"), first), ListingStart::Opened);
    listing.FindClose();
    EXPECT_EQ(first.name, "a.pdf");
    EXPECT_FALSE(first.isDirectory);
    EXPECT_FALSE(first.nameUnusable);
    EXPECT_EQ(first.size, 5u);

    const auto path = folder.Path() / "a.pdf";
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) - std::chrono::hours(1));
    ListedEntry again;
    ASSERT_EQ(listing.FindFirst(Search("a.pdf"), again), ListingStart::Opened);
    listing.FindClose();
    EXPECT_EQ(again.size, 5u);
    EXPECT_NE(again.lastChange, first.lastChange);
}

TEST_F(ListingTest, DeletingDeliveredFilesDoesNotDisturbTheListing) {
    std::set<std::string> created;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "file " + std::to_string(i) + ".pdf";
        folder.Write(name);
        created.insert(name);
    }
    std::multiset<std::string> delivered;
    FolderEnumerator enumerator(listing);
    ASSERT_TRUE(enumerator.OpenListing(folder.Text(), "*.pdf"));
    while (enumerator.NextEntry()) {
        delivered.insert(enumerator.EntryName());
        std::filesystem::remove(folder.Path() / enumerator.EntryName());
    }
    enumerator.CloseListing();
    EXPECT_EQ(delivered, std::multiset<std::string>(created.begin(), created.end()));
}

TEST_F(ListingTest, NamesThatCannotBePassedOnAreMarked) {
    if (OnWindows()) {
        // Not representable in the ANSI code page: the long name arrives with
        // '?', or with a look-alike ("O" for the omega) that names another file
        // or none. A file that really bears the look-alike name is left usable.
        std::ofstream(folder.Path() / std::filesystem::path(u8"Beleg \u4e2d.pdf")) << "x";
        std::ofstream(folder.Path() / std::filesystem::path(u8"Beleg \u03a9.pdf")) << "xy";
        folder.Write("Beleg O.pdf", "xyz");
        std::map<std::uint64_t, bool> unusableBySize;
        FolderEnumerator enumerator(listing);
        ASSERT_TRUE(enumerator.OpenListing(folder.Text(), "Beleg*.pdf"));
        while (enumerator.NextEntry()) {
            const ListedEntry& entry = enumerator.Entry();
            unusableBySize[entry.size] = entry.nameUnusable;
            if (entry.nameUnusable && !entry.shortName.empty()) {
                EXPECT_EQ(folder.Read(entry.shortName).size(), entry.size) << entry.shortName;
            }
        }
        EXPECT_EQ(unusableBySize,
                  (std::map<std::uint64_t, bool>{{1, true}, {2, true}, {3, false}}));
    } else {
        // A double quote would end the quoted path early; a closing backslash
        // would swallow the closing quote.
        folder.Write("Beleg \"1\".pdf");
        folder.Write("Beleg 2\\");
        folder.Write("Beleg 3.pdf");
        std::map<std::string, bool> unusable;
        FolderEnumerator enumerator(listing);
        ASSERT_TRUE(enumerator.OpenListing(folder.Text(), "Beleg*"));
        while (enumerator.NextEntry()) {
            unusable[enumerator.EntryName()] = enumerator.Entry().nameUnusable;
        }
        EXPECT_EQ(unusable,
                  (std::map<std::string, bool>{
                      {"Beleg \"1\".pdf", true}, {"Beleg 2\\", true}, {"Beleg 3.pdf", false}}));
    }
}

}  // namespace
}  // namespace belegbote
