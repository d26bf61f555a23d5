#pragma once
// A Platform made of one concrete object per concern; each system's
// CreatePlatform names its own classes.
#include "platform/Platform.h"

namespace belegbote {

template <class FilesT, class ListingT, class LauncherT, class ClockT, class MessagesT,
          class WindowT, class IconsT, class TrayT>
class PlatformOf : public Platform {
public:
    FileSystem& Files() override { return files_; }
    FolderListing& Listing() override { return listing_; }
    ProcessLauncher& Launcher() override { return launcher_; }
    Clock& Timing() override { return clock_; }
    MessageDialog& Messages() override { return messages_; }
    HostWindow& Window() override { return window_; }
    IconFactory& Icons() override { return icons_; }
    TrayShell& Tray() override { return tray_; }

private:
    FilesT files_;
    ListingT listing_;
    LauncherT launcher_;
    ClockT clock_;
    MessagesT messages_;
    WindowT window_;
    IconsT icons_;
    TrayT tray_;
};

}  // namespace belegbote
