#include <objbase.h>
#include <windows.h>

#include "platform/PlatformOf.h"
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

class PlatformWin32 final
    : public PlatformOf<FileSystemWin32, FolderListingWin32, ProcessLauncherWin32, ClockWin32,
                        MessageDialogWin32, HostWindowWin32, IconFactoryWin32, TrayShellWin32> {
public:
    void InitThread() override { CoInitialize(nullptr); }
};

}  // namespace

std::unique_ptr<Platform> CreatePlatform() { return std::make_unique<PlatformWin32>(); }

}  // namespace belegbote
