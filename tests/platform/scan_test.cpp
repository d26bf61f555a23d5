#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "platform/Platform.h"
#include "platform/RecorderRun.h"
#include "platform/ScratchFolder.h"
#include "watch/FolderScan.h"

namespace belegbote {
namespace {

using testing::ReadRecords;
using testing::ScratchFolder;
using testing::SetEnv;
using Steady = std::chrono::steady_clock;

// No tray icon in these tests: only the order of the images is kept.
struct ImageLog : TraySignal {
    void ShowTrayImage(int imageNumber) override { images.push_back(imageNumber); }
    std::vector<int> images;
};

// A whole scan on the real system, with the recorder as the program.
class RealScanTest : public ::testing::Test {
protected:
    RealScanTest() {
        testing::ResetRecorder(logs.Text("recorder.log"));
        settings.Programm = testing::RecorderPath();
        settings.ScanPfad = watched.Text();
        settings.ScanDateiType = "*.pdf";
        settings.WarteTimer = 0;
    }
    ~RealScanTest() override { testing::ResetRecorder(""); }

    // A file old enough not to count as still being written.
    void Put(const std::string& name) {
        watched.Write(name, "%PDF-1.4");
        const auto path = watched.Path() / name;
        std::filesystem::last_write_time(
            path, std::filesystem::last_write_time(path) - std::chrono::hours(1));
    }
    bool Present(const std::string& name) const {
        return std::filesystem::exists(watched.Path() / name);
    }
    void RunScan() {
        FolderScan scan(settings, platform->Listing(), platform->Files(), platform->Launcher(),
                        platform->Timing(), tray);
        scan.Run();
    }

    std::unique_ptr<Platform> platform = CreatePlatform();
    ScratchFolder watched{"watched"};
    ScratchFolder logs{"logs"};
    Settings settings;
    ImageLog tray;
};

TEST_F(RealScanTest, HandsEachFileToTheProgramAndDeletesItAfterwards) {
    Put("Rechnung 7.pdf");
    Put("b.PDF");
    Put("c.txt");
    std::filesystem::create_directory(watched.Path() / "Ordner.pdf");
    // On Windows the program's grandchild keeps the file open a while after
    // the program ended; deletion goes on until it lets go.
    SetEnv("BELEGBOTE_RECORD_HOLD_MS", "700");
    const auto start = Steady::now();
    RunScan();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - start).count();
    std::cout << "[ report ] two hand-offs took " << ms << " ms\n";

    std::vector<std::string> records = ReadRecords(logs.Path() / "recorder.log");
    ASSERT_EQ(records.size(), 2u);
    for (const std::string& record : records) {
        EXPECT_NE(record.find("|argc=3|arg1=/a|arg2=" + watched.Text()), std::string::npos)
            << record;
        EXPECT_NE(record.find("|exists=1|"), std::string::npos) << record;
    }
    EXPECT_FALSE(Present("Rechnung 7.pdf"));
    EXPECT_FALSE(Present("b.PDF"));
    EXPECT_TRUE(Present("c.txt"));
    EXPECT_TRUE(Present("Ordner.pdf"));
    EXPECT_EQ(tray.images, std::vector<int>({2, 3, 2, 3, 1, 2, 3, 2, 3, 1}));
    EXPECT_GE(ms, 2 * 1250);
}

TEST_F(RealScanTest, AProgramThatCannotBeStartedCostsNoFile) {
    Put("a.pdf");
    settings.Programm = watched.Text("no such program.exe");
    RunScan();
    RunScan();
    EXPECT_TRUE(Present("a.pdf"));
    EXPECT_EQ(tray.images, std::vector<int>({2, 3, 2, 3, 1, 2, 3, 2, 3, 1}));
}

TEST_F(RealScanTest, AFileStillBeingWrittenWaitsForALaterScan) {
    // Open for writing, and changed a moment ago.
    std::ofstream writer(watched.Path() / "fresh.pdf", std::ios::binary);
    writer << "%PDF-1.4" << std::flush;
    RunScan();
    EXPECT_TRUE(Present("fresh.pdf"));
    EXPECT_TRUE(ReadRecords(logs.Path() / "recorder.log").empty());
    EXPECT_TRUE(tray.images.empty());
}

}  // namespace
}  // namespace belegbote
