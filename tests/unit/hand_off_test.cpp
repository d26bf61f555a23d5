#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "fakes/CallLog.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeLauncher.h"
#include "fakes/FakeTraySignal.h"
#include "watch/HandOff.h"

namespace belegbote {
namespace {

using testing::CallLog;

const char* const Outlook = R"(C:\Programme\Microsoft Office\Office14\Outlook.exe)";
const char* const FilePath = R"(C:\Arbeitspuffer\Rechnung 7.pdf)";

CallLog Animation() {
    return {"Image 2", "Pause 250", "Image 3", "Pause 250",
            "Image 2", "Pause 250", "Image 3", "Pause 250"};
}

CallLog Joined(std::initializer_list<CallLog> parts) {
    CallLog all;
    for (const CallLog& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class HandOffTest : public ::testing::Test {
protected:
    HandOffTest() {
        settings.Programm = Outlook;
        settings.ScanPfad = R"(C:\Arbeitspuffer)";
        settings.WarteTimer = 1500;
        files.files[FilePath] = "%PDF";
    }

    HandOffResult Run(const std::string& name = "Rechnung 7.pdf") {
        HandOff handOff(settings, '\\', files, launcher, clock, tray);
        return handOff.Run(name);
    }
    std::size_t Count(const std::string& entry) const {
        return std::count(log.begin(), log.end(), entry);
    }

    Settings settings;
    testing::FakeFileSystem files;
    CallLog& log = files.calls;  // the other fakes write into the same list
    testing::FakeClock clock{log};
    testing::FakeLauncher launcher{log};
    testing::FakeTraySignal tray{log};
};

TEST_F(HandOffTest, FlashesStartsWaitsDeletesAndTurnsIdleInThisOrder) {
    EXPECT_EQ(Run(), HandOffResult::Done);
    const std::string direct =
        "Direct \"" + std::string(Outlook) + "\" /a \"" + FilePath + "\" | . | wait";
    EXPECT_EQ(log, Joined({{std::string("Check ") + FilePath},
                           Animation(),
                           {direct, "Pause 1500", std::string("Remove ") + FilePath, "Pause 250",
                            "Image 1"}}));
    EXPECT_TRUE(files.files.empty());
}

TEST(BuildFilePath, AlwaysInsertsTheSeparatorAndNamesTheListedFolderWhenEmpty) {
    EXPECT_EQ(BuildFilePath(R"(C:\Arbeitspuffer)", "Rechnung 7.pdf", '\\'), FilePath);
    EXPECT_EQ(BuildFilePath(R"(C:\Arbeitspuffer\)", "a.pdf", '\\'), R"(C:\Arbeitspuffer\\a.pdf)");
    EXPECT_EQ(BuildFilePath("", "a.pdf", '\\'), R"(.\a.pdf)");
    EXPECT_EQ(BuildFilePath("", "a.pdf", '/'), "./a.pdf");
    EXPECT_EQ(BuildFilePath("/srv/in", "a b.pdf", '/'), "/srv/in/a b.pdf");
    EXPECT_EQ(BuildParameterText(R"(C:\Arbeitspuffer\\a.pdf)"), R"(/a "C:\Arbeitspuffer\\a.pdf")");
}

TEST_F(HandOffTest, DeletesOnlyAfterTheProgramHasEnded) {
    bool presentWhileRunning = false;
    launcher.whileRunning = [&] { presentWhileRunning = files.files.count(FilePath) == 1; };
    settings.WarteTimer = 0;
    EXPECT_EQ(Run(), HandOffResult::Done);
    EXPECT_TRUE(presentWhileRunning);
    // No wait to speak of: the first attempt follows the program at once.
    const auto start = std::find(log.begin(), log.end(), "Pause 0");
    ASSERT_NE(start, log.end());
    EXPECT_EQ(*(start + 1), std::string("Remove ") + FilePath);
}

TEST_F(HandOffTest, NegativeWaitBecomesNoWait) {
    for (std::int32_t wait : {-1, INT32_MIN}) {
        log.clear();
        files.files[FilePath] = "%PDF";
        settings.WarteTimer = wait;
        EXPECT_EQ(Run(), HandOffResult::Done);
        EXPECT_EQ(Count("Pause 0"), 1u) << wait;
        EXPECT_EQ(Count("Pause 4294967295"), 0u);
    }
}

TEST_F(HandOffTest, AFileStillInUseIsRetriedUntilReleasedWithoutBound) {
    // A minute of "in use" is far beyond the bound that refusals get.
    files.deleteOutcomes.assign(240, DeleteOutcome::InUse);
    EXPECT_EQ(Run(), HandOffResult::Done);
    EXPECT_EQ(Count(std::string("Remove ") + FilePath), 241u);
    EXPECT_TRUE(files.files.empty());
    // Every attempt is followed by its pause, and idle comes last.
    EXPECT_EQ(log.back(), "Image 1");
    EXPECT_EQ(log[log.size() - 2], "Pause 250");
    EXPECT_EQ(Count("Pause 250"), 4u + 241u);
}

TEST_F(HandOffTest, AFileAlreadyGoneCountsAsDeleted) {
    files.deleteOutcomes = {DeleteOutcome::Missing};
    EXPECT_EQ(Run(), HandOffResult::Done);
    EXPECT_EQ(Count(std::string("Remove ") + FilePath), 1u);
}

TEST_F(HandOffTest, ARefusedDeletionIsRetriedForFiveSecondsThenLeftInPlace) {
    files.deleteOutcomes.assign(1000, DeleteOutcome::Refused);
    const std::uint64_t before = clock.now;
    EXPECT_EQ(Run(), HandOffResult::LeftInPlace);
    const std::uint64_t deleting = clock.now - before - 1000 - 1500;
    EXPECT_EQ(deleting, 5000u);
    EXPECT_EQ(Count(std::string("Remove ") + FilePath), 20u);
    EXPECT_EQ(files.files.count(FilePath), 1u);
    EXPECT_EQ(log.back(), "Image 1");
}

TEST_F(HandOffTest, ARefusalThatTurnsIntoSuccessEndsTheRetries) {
    files.deleteOutcomes = {DeleteOutcome::Refused, DeleteOutcome::Refused, DeleteOutcome::Deleted};
    EXPECT_EQ(Run(), HandOffResult::Done);
    EXPECT_EQ(Count(std::string("Remove ") + FilePath), 3u);
}

TEST_F(HandOffTest, AFileInUseBetweenRefusalsRestartsTheirBound) {
    // 4 s refused, in use, 4 s refused again, then deleted: never 5 s in a row.
    files.deleteOutcomes.assign(16, DeleteOutcome::Refused);
    files.deleteOutcomes.push_back(DeleteOutcome::InUse);
    files.deleteOutcomes.insert(files.deleteOutcomes.end(), 16, DeleteOutcome::Refused);
    files.deleteOutcomes.push_back(DeleteOutcome::Deleted);
    EXPECT_EQ(Run(), HandOffResult::Done);
    EXPECT_EQ(Count(std::string("Remove ") + FilePath), 34u);
}

TEST_F(HandOffTest, AFailedStartLeavesTheFileAndTurnsIdle) {
    launcher.directSucceeds = false;
    launcher.shellSucceeds = false;
    EXPECT_EQ(Run(), HandOffResult::NotStarted);
    EXPECT_EQ(Count(std::string("Remove ") + FilePath), 0u);
    EXPECT_EQ(files.files.count(FilePath), 1u);
    EXPECT_EQ(log.back(), "Image 1");
    EXPECT_EQ(Count("Pause 1500"), 0u);
}

TEST_F(HandOffTest, AShellThatAcceptsTheDocumentCountsAsStarted) {
    launcher.directSucceeds = false;
    EXPECT_EQ(Run(), HandOffResult::Done);
    EXPECT_EQ(Count(std::string("Shell ") + Outlook + " | /a \"" + FilePath + "\" | . | wait"), 1u);
}

TEST_F(HandOffTest, WithoutAProgramNothingIsStartedOrDeleted) {
    // Even a shell that would accept the empty text must not cost the file.
    settings.Programm.clear();
    EXPECT_EQ(Run(), HandOffResult::NotStarted);
    for (const std::string& call : log) {
        EXPECT_TRUE(call.rfind("Direct", 0) != 0 && call.rfind("Shell", 0) != 0 &&
                    call.rfind("Remove", 0) != 0)
            << call;
    }
    EXPECT_EQ(files.files.count(FilePath), 1u);
}

TEST_F(HandOffTest, AFileNotReadyIsNotTouched) {
    for (FileReadiness readiness : {FileReadiness::BeingWritten, FileReadiness::Gone}) {
        log.clear();
        files.readiness[FilePath] = readiness;
        EXPECT_EQ(Run(), HandOffResult::NotReady);
        EXPECT_EQ(log, CallLog({std::string("Check ") + FilePath}));
    }
}

}  // namespace
}  // namespace belegbote
