#include "tray/TrayHost.h"

#include <utility>

#include "app/AppEvent.h"
#include "tray/TrayClicks.h"

namespace belegbote {

namespace {

constexpr std::int32_t SeparatorCommandId = -1;

}  // namespace

ShellIconRecord TrayHost::RecordFor(std::uint32_t flags) const {
    ShellIconRecord record;
    record.window = owner_;
    record.id = TrayIconId;
    record.flags = flags;
    return record;
}

void TrayHost::AddIcon(WindowId window, IconId icon) {
    if (window == 0 || icon == 0) {
        return;
    }
    ShellIconRecord record;
    record.window = window;
    record.id = TrayIconId;
    record.flags = ShellSetsMessage | ShellSetsIcon;
    record.callbackMessage = TrayCallbackMessage;
    record.icon = icon;
    if (shell_.NotifyIcon(ShellOperation::Add, record)) {
        owner_ = window;
    }
}

bool TrayHost::SetToolTip(const char* text) {
    if (text == nullptr || !IsRegistered()) {
        return false;
    }
    ShellIconRecord record = RecordFor(ShellSetsTip);
    record.tip = std::string(text).substr(0, TrayTipLength);
    return shell_.NotifyIcon(ShellOperation::Modify, record);
}

bool TrayHost::SetImage(IconId icon) {
    if (icon == 0 || !IsRegistered()) {
        return false;
    }
    ShellIconRecord record = RecordFor(ShellSetsIcon);
    record.icon = icon;
    return shell_.NotifyIcon(ShellOperation::Modify, record);
}

void TrayHost::ShowTrayImage(int imageNumber) {
    SetImage(images_.ImageHandle(imageNumber));
}

void TrayHost::RemoveIcon() {
    if (!IsRegistered()) {
        return;
    }
    shell_.NotifyIcon(ShellOperation::Delete, RecordFor(0));
    owner_ = 0;
}

void TrayHost::AppendEntry(std::uint32_t flags, std::int32_t commandId, std::string text,
                           IconId image) {
    auto entry = std::make_unique<MenuEntry>();
    entry->text = std::move(text);
    entry->image = image;
    entry->lookFlags = MenuLookGradient;
    shell_.AppendMenuEntry(menu_, flags, commandId, entry.get());
    entries_.push_back(std::move(entry));
}

void TrayHost::BuildMenu(const std::string& titleText, IconId image) {
    menu_ = shell_.NewPopupMenu();
    if (menu_ == 0) {
        return;
    }
    AppendEntry(MenuEntryOwnerDrawn, static_cast<std::int32_t>(MenuIdWebPage), WebPageEntryText,
                image);
    AppendEntry(MenuEntrySeparator | MenuEntryOwnerDrawn, SeparatorCommandId, "", 0);
    AppendEntry(MenuEntryOwnerDrawn, static_cast<std::int32_t>(MenuIdExit),
                titleText + ExitEntrySuffix, image);
}

void TrayHost::ShowMenu(WindowId owner) {
    // The pointer's position when the press is handled, not when it happened.
    const ScreenPoint pointer = shell_.CursorPosition();
    // Without this the menu would not close when the user clicks elsewhere.
    shell_.BringToForeground(owner);
    shell_.TrackMenu(menu_, TrackWithRightButton, pointer.x - 1, pointer.y - 1, owner);
}

}  // namespace belegbote
