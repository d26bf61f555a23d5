#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/CallLog.h"
#include "fakes/FakeListing.h"
#include "watch/FolderEnumerator.h"

namespace belegbote {
namespace {

using testing::CallLog;
using testing::FakeListing;

TEST(BuildSearchText, JoinsFolderAndPatternWithOneSeparator) {
    struct Case {
        const char* folder;
        const char* pattern;
        char separator;
        const char* expected;
    };
    const Case cases[] = {
        {R"(C:\Arbeitspuffer)", "*.pdf", '\\', R"(C:\Arbeitspuffer\*.pdf)"},
        {R"(C:\Arbeitspuffer\)", "*.pdf", '\\', R"(C:\Arbeitspuffer\*.pdf)"},
        {"C:", "*.pdf", '\\', R"(C:\*.pdf)"},
        {"", "*.pdf", '\\', "*.pdf"},
        {R"(C:\in)", "", '\\', R"(C:\in\*.*)"},
        {"", "", '\\', "*.*"},
        // Taken as they are: no trimming, no splitting.
        {R"( C:\in )", " a*.pdf; *.txt", '\\', R"( C:\in \ a*.pdf; *.txt)"},
        {"/srv/in", "*.pdf", '/', "/srv/in/*.pdf"},
        {"/srv/in/", "*.pdf", '/', "/srv/in/*.pdf"},
        // Only the platform's own separator counts as one.
        {"/srv/in\\", "*.pdf", '/', "/srv/in\\/*.pdf"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildSearchText(c.folder, c.pattern, c.separator), c.expected)
            << "folder [" << c.folder << "] pattern [" << c.pattern << "]";
    }
}

ListedEntry Entry(const std::string& name, bool isDirectory = false) {
    ListedEntry entry;
    entry.name = name;
    entry.isDirectory = isDirectory;
    return entry;
}

class FolderEnumeratorTest : public ::testing::Test {
protected:
    std::vector<std::string> Drain() {
        std::vector<std::string> seen;
        while (enumerator.NextEntry()) {
            seen.push_back((enumerator.EntryIsFile() ? "file " : "dir ") + enumerator.EntryName());
        }
        return seen;
    }

    CallLog log;
    FakeListing listing{log};
    FolderEnumerator enumerator{listing};
};

TEST_F(FolderEnumeratorTest, DeliversThePendingFirstEntryThenTheRest) {
    listing.entries = {Entry(".", true), Entry("a.pdf"), Entry("sub.pdf", true)};
    ASSERT_TRUE(enumerator.OpenListing(R"(C:\in)", "*.pdf"));
    EXPECT_EQ(Drain(), std::vector<std::string>({"dir .", "file a.pdf", "dir sub.pdf"}));
    EXPECT_FALSE(enumerator.NextEntry());
    enumerator.CloseListing();
    EXPECT_EQ(log, CallLog({R"(FindFirst C:\in\*.pdf)", "FindNext", "FindNext", "FindNext",
                            "FindNext", "FindClose"}));
}

TEST_F(FolderEnumeratorTest, NoMatchOpensWithoutEntriesAndLeavesNothingToClose) {
    listing.start = ListingStart::NoMatch;
    ASSERT_TRUE(enumerator.OpenListing(R"(C:\in)", "*.pdf"));
    EXPECT_FALSE(enumerator.NextEntry());
    enumerator.CloseListing();
    EXPECT_EQ(log, CallLog({R"(FindFirst C:\in\*.pdf)"}));
}

TEST_F(FolderEnumeratorTest, AFailedOpenDeliversNothing) {
    listing.start = ListingStart::Failed;
    EXPECT_FALSE(enumerator.OpenListing(R"(C:\missing)", "*.pdf"));
    EXPECT_FALSE(enumerator.NextEntry());
    enumerator.CloseListing();
    EXPECT_EQ(log, CallLog({R"(FindFirst C:\missing\*.pdf)"}));
}

TEST_F(FolderEnumeratorTest, AFolderOrPatternWithANulByteIsNotListed) {
    // The platform would list the folder named by the text before the NUL,
    // while the paths handed off would name another.
    using namespace std::string_literals;
    listing.entries = {Entry("a.pdf")};
    EXPECT_FALSE(enumerator.OpenListing("in\0x"s, "*.pdf"));
    EXPECT_FALSE(enumerator.OpenListing("in", "*.pdf\0"s));
    EXPECT_FALSE(enumerator.NextEntry());
    EXPECT_EQ(log, CallLog());
}

TEST_F(FolderEnumeratorTest, ReopeningClosesTheOpenListingFirst) {
    listing.entries = {Entry("a.pdf")};
    ASSERT_TRUE(enumerator.OpenListing("", ""));
    ASSERT_TRUE(enumerator.OpenListing("", ""));
    EXPECT_EQ(Drain(), std::vector<std::string>({"file a.pdf"}));
    enumerator.CloseListing();
    enumerator.CloseListing();
    EXPECT_EQ(log,
              CallLog({"FindFirst *.*", "FindClose", "FindFirst *.*", "FindNext", "FindClose"}));
}

}  // namespace
}  // namespace belegbote
