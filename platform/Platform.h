#pragma once
// The concrete platform of this build: one object per concern.
#include <memory>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"
#include "platform/HostWindow.h"
#include "platform/IconFactory.h"
#include "platform/MessageDialog.h"
#include "platform/ProcessLauncher.h"
#include "platform/TrayShell.h"

namespace belegbote {

class Platform {
public:
    virtual ~Platform() = default;
    // Prepares the thread for shell calls (COM on Windows).
    virtual void InitThread() = 0;
    virtual FileSystem& Files() = 0;
    virtual FolderListing& Listing() = 0;
    virtual ProcessLauncher& Launcher() = 0;
    virtual Clock& Timing() = 0;
    virtual MessageDialog& Messages() = 0;
    virtual HostWindow& Window() = 0;
    virtual IconFactory& Icons() = 0;
    virtual TrayShell& Tray() = 0;
};

std::unique_ptr<Platform> CreatePlatform();

}  // namespace belegbote
