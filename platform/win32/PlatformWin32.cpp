#include <objbase.h>
#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/ClockWin32.h"
#include "platform/win32/FileSystemWin32.h"
#include "platform/win32/FolderListingWin32.h"
#include "platform/win32/HostWindowWin32.h"
#include "platform/win32/IconFactoryWin32.h"
#include "platform/win32/MessageDialogWin32.h"
#include "platform/win32/ProcessLauncherWin32.h"
#include "platform/win32/TrayShellWin32.h"

namespace belegbote {

namespace {

class PlatformWin32 final : public Platform {
public:
    void InitThread() override { CoInitialize(nullptr); }
    FileSystem& Files() override { return files_; }
    FolderListing& Listing() override { return listing_; }
    ProcessLauncher& Launcher() override { return launcher_; }
    Clock& Timing() override { return clock_; }
    MessageDialog& Messages() override { return messages_; }
    HostWindow& Window() override { return window_; }
    IconFactory& Icons() override { return icons_; }
    TrayShell& Tray() override { return tray_; }

private:
    FileSystemWin32 files_;
    FolderListingWin32 listing_;
    ProcessLauncherWin32 launcher_;
    ClockWin32 clock_;
    MessageDialogWin32 messages_;
    HostWindowWin32 window_;
    IconFactoryWin32 icons_;
    TrayShellWin32 tray_;
};

}  // namespace

std::unique_ptr<Platform> CreatePlatform() { return std::make_unique<PlatformWin32>(); }

}  // namespace belegbote
