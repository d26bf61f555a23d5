#include "platform/PlatformOf.h"
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

class PlatformPosix final
    : public PlatformOf<FileSystemPosix, FolderListingPosix, ProcessLauncherPosix, ClockPosix,
                        MessageDialogPosix, HostWindowPosix, IconFactoryPosix, TrayShellPosix> {
public:
    void InitThread() override {}
};

}  // namespace

std::unique_ptr<Platform> CreatePlatform() { return std::make_unique<PlatformPosix>(); }

}  // namespace belegbote
