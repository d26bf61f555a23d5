#include "watch/HandOff.h"

namespace belegbote {

std::string BuildFilePath(std::string_view folder, std::string_view name, char separator) {
    // A bare separator before the name would point at the root of the drive,
    // not at the folder that was listed.
    std::string path(folder.empty() ? std::string_view(".") : folder);
    path.push_back(separator);
    path.append(name);
    return path;
}

std::string BuildParameterText(std::string_view filePath) {
    std::string text("/a \"");
    text.append(filePath).append("\"");
    return text;
}

HandOff::HandOff(const Settings& settings, char separator, FileSystem& files,
                 ProcessLauncher& launcher, Clock& clock, TraySignal& tray)
    : settings_(settings),
      separator_(separator),
      files_(files),
      starter_(launcher),
      clock_(clock),
      tray_(tray) {}

HandOffResult HandOff::Run(const std::string& name) {
    const std::string filePath = BuildFilePath(settings_.ScanPfad, name, separator_);
    if (files_.CheckReadiness(filePath) != FileReadiness::Ready) {
        return HandOffResult::NotReady;
    }
    FlashSignal();
    if (!StartProgram(filePath)) {
        // Deleting now would lose a file that no program has seen.
        tray_.ShowTrayImage(ImageIdle);
        return HandOffResult::NotStarted;
    }
    PauseAfterProgram();
    const bool gone = DeleteUntilGone(filePath);
    tray_.ShowTrayImage(ImageIdle);
    return gone ? HandOffResult::Done : HandOffResult::LeftInPlace;
}

void HandOff::FlashSignal() {
    for (int image : {ImageWorkGreen, ImageWorkBlue, ImageWorkGreen, ImageWorkBlue}) {
        tray_.ShowTrayImage(image);
        clock_.Pause(SignalStepMs);
    }
}

bool HandOff::StartProgram(const std::string& filePath) {
    // Without a program name the shell may still "accept" the empty text and
    // open something else; the file must not be deleted on that ground.
    if (settings_.Programm.empty()) {
        return false;
    }
    return starter_.Start(settings_.Programm, BuildParameterText(filePath), ".", true);
}

void HandOff::PauseAfterProgram() {
    // A negative wait would reach the platform as days, or as no end at all.
    const std::int32_t ms = settings_.WarteTimer;
    clock_.Pause(ms < 0 ? 0u : static_cast<std::uint32_t>(ms));
}

bool HandOff::DeleteUntilGone(const std::string& filePath) {
    bool refusing = false;  // the attempts since refusedSince were all refused
    std::uint64_t refusedSince = 0;
    for (;;) {
        const std::uint64_t attemptAt = clock_.NowMs();
        const DeleteOutcome outcome = files_.RemoveFile(filePath);
        clock_.Pause(SignalStepMs);
        switch (outcome) {
            case DeleteOutcome::Deleted:
            case DeleteOutcome::Missing: return true;
            case DeleteOutcome::InUse:
                // Whoever holds it will let go; only refusals are bounded.
                refusing = false;
                break;
            case DeleteOutcome::Refused:
                if (!refusing) {
                    refusing = true;
                    refusedSince = attemptAt;
                }
                if (clock_.NowMs() - refusedSince >= RefusedDeleteLimitMs) {
                    return false;
                }
                break;
        }
    }
}

}  // namespace belegbote
