#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/CallLog.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeLauncher.h"
#include "fakes/FakeListing.h"
#include "fakes/FakeTraySignal.h"
#include "watch/FolderScan.h"

namespace belegbote {
namespace {

using testing::CallLog;

ListedEntry Entry(const std::string& name, bool isDirectory = false) {
    ListedEntry entry;
    entry.name = name;
    entry.isDirectory = isDirectory;
    entry.size = 100;
    entry.lastChange = 7;
    return entry;
}

class FolderScanTest : public ::testing::Test {
protected:
    FolderScanTest() {
        settings.Programm = R"(C:\P\prog.exe)";
        settings.ScanPfad = R"(C:\in)";
        settings.ScanDateiType = "*.pdf";
    }

    // Names handed to the program, in order, from the log.
    std::vector<std::string> Started() const {
        std::vector<std::string> names;
        for (const std::string& call : log) {
            const std::size_t at = call.find(R"(/a "C:\in\)");
            if (call.rfind("Direct", 0) == 0 && at != std::string::npos) {
                const std::size_t from = at + 10;
                names.push_back(call.substr(from, call.find('"', from) - from));
            }
        }
        return names;
    }
    std::size_t Count(const std::string& prefix) const {
        return std::count_if(log.begin(), log.end(),
                             [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    }
    void AddFiles(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            listing.entries.push_back(Entry(name));
            files.files[std::string(R"(C:\in\)") + name] = "x";
        }
    }

    Settings settings;
    testing::FakeFileSystem files;
    CallLog& log = files.calls;  // the other fakes write into the same list
    testing::FakeListing listing{log};
    testing::FakeClock clock{log};
    testing::FakeLauncher launcher{log};
    testing::FakeTraySignal tray{log};
    FolderScan scan{settings, listing, files, launcher, clock, tray};
};

TEST_F(FolderScanTest, HandsOffEveryFileInListingOrderAndSkipsDirectories) {
    listing.entries = {Entry(".", true), Entry("..", true)};
    AddFiles({"b.pdf", "a.pdf"});
    listing.entries.insert(listing.entries.begin() + 3, Entry("folder.pdf", true));
    AddFiles({"c.pdf"});
    scan.Run();
    EXPECT_EQ(Started(), std::vector<std::string>({"b.pdf", "a.pdf", "c.pdf"}));
    EXPECT_TRUE(files.files.empty());
    EXPECT_EQ(log.front(), R"(FindFirst C:\in\*.pdf)");
    EXPECT_EQ(log.back(), "FindClose");
    // Each hand-off is complete before the listing moves on.
    const auto removal = std::find(log.begin(), log.end(), R"(Remove C:\in\b.pdf)");
    ASSERT_LT(removal + 3, log.end());
    EXPECT_EQ(CallLog(removal, removal + 4),
              CallLog({R"(Remove C:\in\b.pdf)", "Pause 250", "Image 1", "FindNext"}));
    EXPECT_EQ(Count("Remove"), 3u);
    EXPECT_EQ(Count("FindClose"), 1u);
}

TEST_F(FolderScanTest, AFolderThatCannotBeListedEndsTheTickQuietly) {
    listing.start = ListingStart::Failed;
    scan.Run();
    EXPECT_EQ(log, CallLog({R"(FindFirst C:\in\*.pdf)"}));
}

TEST_F(FolderScanTest, AFolderWithoutMatchesChangesNothing) {
    listing.start = ListingStart::NoMatch;
    scan.Run();
    EXPECT_EQ(log, CallLog({R"(FindFirst C:\in\*.pdf)"}));
}

TEST_F(FolderScanTest, ConfigurationWithoutItsGroupDeletesNothing) {
    // Every value at its default: the working folder is listed with *.*.
    settings = Settings{};
    launcher.directSucceeds = false;
    launcher.shellSucceeds = false;
    listing.entries = {Entry("Belegbote.ini"), Entry("Belegbote.exe"), Entry("Brief.doc")};
    for (int tick = 0; tick < 3; ++tick) {
        scan.Run();
    }
    EXPECT_EQ(log.front(), "FindFirst *.*");
    EXPECT_EQ(Count("Remove"), 0u);
    EXPECT_EQ(Count("Check .\\Brief.doc"), 3u);
}

TEST_F(FolderScanTest, AFileNoProgramTookIsTriedAgainAtTheNextTick) {
    AddFiles({"a.pdf"});
    launcher.directSucceeds = false;
    launcher.shellSucceeds = false;
    scan.Run();
    EXPECT_EQ(Count("Remove"), 0u);
    launcher.directSucceeds = true;
    scan.Run();
    EXPECT_EQ(Started(), std::vector<std::string>({"a.pdf", "a.pdf"}));
    EXPECT_TRUE(files.files.empty());
}

TEST_F(FolderScanTest, AFileStillBeingWrittenWaitsForALaterTick) {
    AddFiles({"a.pdf"});
    files.readiness[R"(C:\in\a.pdf)"] = FileReadiness::BeingWritten;
    scan.Run();
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(Count("Image"), 0u);
    files.readiness.clear();
    scan.Run();
    EXPECT_EQ(Started(), std::vector<std::string>({"a.pdf"}));
}

TEST_F(FolderScanTest, AnUndeletableFileIsNotHandedOffAgainUntilItChanges) {
    AddFiles({"locked.pdf", "next.pdf"});
    files.deleteOutcomes.assign(20, DeleteOutcome::Refused);
    scan.Run();
    EXPECT_EQ(Started(), std::vector<std::string>({"locked.pdf", "next.pdf"}));
    // The listing keeps delivering it; unchanged, it is left alone.
    listing.entries.pop_back();
    log.clear();
    scan.Run();
    scan.Run();
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(Count("Check"), 0u);
    // Replaced by a new version: handed off again.
    listing.entries[0].lastChange = 8;
    scan.Run();
    EXPECT_EQ(Started(), std::vector<std::string>({"locked.pdf"}));
    EXPECT_TRUE(files.files.empty());
}

TEST_F(FolderScanTest, AnUndeletableFileTouchedByItsProgramIsStillLeftAlone) {
    // The program may change the file; what counts is its state once left.
    AddFiles({"locked.pdf"});
    files.deleteOutcomes.assign(20, DeleteOutcome::Refused);
    launcher.whileRunning = [&] { listing.entries[0].size = 250; };
    scan.Run();
    launcher.whileRunning = nullptr;
    scan.Run();
    scan.Run();
    EXPECT_EQ(Started(), std::vector<std::string>({"locked.pdf"}));
    listing.entries[0].size = 300;
    scan.Run();
    EXPECT_EQ(Started(), std::vector<std::string>({"locked.pdf", "locked.pdf"}));
}

TEST_F(FolderScanTest, AnUnusableNameIsPassedAsItsShortNameOrNotAtAll) {
    AddFiles({"Rechnung ?.pdf", "Beleg ?.pdf"});
    listing.entries[0].nameUnusable = true;
    listing.entries[0].shortName = "RECHNU~1.PDF";
    files.files[R"(C:\in\RECHNU~1.PDF)"] = "x";
    listing.entries[1].nameUnusable = true;
    scan.Run();
    listing.entries.erase(listing.entries.begin());
    scan.Run();
    EXPECT_EQ(Started(), std::vector<std::string>({"RECHNU~1.PDF"}));
    EXPECT_EQ(Count("Remove"), 1u);
    EXPECT_EQ(Count(R"(Check C:\in\Beleg)"), 0u);
    EXPECT_EQ(files.files.count(R"(C:\in\Beleg ?.pdf)"), 1u);
}

TEST(PassableName, PrefersTheLongNameWhenItIsUsable) {
    ListedEntry entry;
    entry.name = "Rechnung 7.pdf";
    entry.shortName = "RECHNU~1.PDF";
    EXPECT_EQ(PassableName(entry), "Rechnung 7.pdf");
    entry.nameUnusable = true;
    EXPECT_EQ(PassableName(entry), "RECHNU~1.PDF");
    entry.shortName.clear();
    EXPECT_EQ(PassableName(entry), std::nullopt);
}

TEST(PassableName, NeverANameThatCouldLeaveItsQuotes) {
    // Found under Wine, whose listing reports a Unix name as it stands: the
    // program was started with `/a "...\x" -b "y.pdf"`, five arguments.
    // Whatever the listing says, such a name is not passed on.
    for (const char* name : {"x\" -b \"y.pdf", "\"", "ende\\"}) {
        ListedEntry entry;
        entry.name = name;
        EXPECT_EQ(PassableName(entry), std::nullopt) << name;
        entry.shortName = "X~1.PDF";
        EXPECT_EQ(PassableName(entry), "X~1.PDF") << name;
        entry.shortName = "X\"1.PDF";
        EXPECT_EQ(PassableName(entry), std::nullopt) << name;
    }
}

}  // namespace
}  // namespace belegbote
