#include "platform/Platform.h"
#include "platform/posix/ClockPosix.h"
#include "platform/posix/FileSystemPosix.h"
#include "platform/posix/FolderListingPosix.h"
#include "platform/posix/HostWindowPosix.h"
#include "platform/posix/IconFactoryPosix.h"
#include "platform/posix/MessageDialogPosix.h"
#include "platform/posix/ProcessLauncherPosix.h"
#include "platform/posix/TrayShellPosix.h"

namespace belegbote {

namespace {

class PlatformPosix final : public Platform {
public:
    void InitThread() override {}
    FileSystem& Files() override { return files_; }
    FolderListing& Listing() override { return listing_; }
    ProcessLauncher& Launcher() override { return launcher_; }
    Clock& Timing() override { return clock_; }
    MessageDialog& Messages() override { return messages_; }
    HostWindow& Window() override { return window_; }
    IconFactory& Icons() override { return icons_; }
    TrayShell& Tray() override { return tray_; }

private:
    FileSystemPosix files_;
    FolderListingPosix listing_;
    ProcessLauncherPosix launcher_;
    ClockPosix clock_;
    MessageDialogPosix messages_;
    HostWindowPosix window_;
    IconFactoryPosix icons_;
    TrayShellPosix tray_;
};

}  // namespace

std::unique_ptr<Platform> CreatePlatform() { return std::make_unique<PlatformPosix>(); }

}  // namespace belegbote
