#include "platform/win32/TrayShellWin32.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>

namespace belegbote {

namespace {

#ifndef _WIN64
// The full ANSI record, item GUID and balloon icon included.
static_assert(sizeof(NOTIFYICONDATAA) == 508);
#endif

static_assert(ShellSetsMessage == NIF_MESSAGE && ShellSetsIcon == NIF_ICON &&
              ShellSetsTip == NIF_TIP);
static_assert(MenuEntryOwnerDrawn == MF_OWNERDRAW && MenuEntrySeparator == MF_SEPARATOR &&
              TrackWithRightButton == TPM_RIGHTBUTTON);

DWORD MessageOf(ShellOperation operation) {
    switch (operation) {
        case ShellOperation::Add: return NIM_ADD;
        case ShellOperation::Modify: return NIM_MODIFY;
        case ShellOperation::Delete: return NIM_DELETE;
    }
    return NIM_MODIFY;
}

HMENU MenuOf(MenuId menu) {
    return reinterpret_cast<HMENU>(menu);
}

HWND WindowOf(WindowId window) {
    return reinterpret_cast<HWND>(window);
}

}  // namespace

bool TrayShellWin32::NotifyIcon(ShellOperation operation, const ShellIconRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = WindowOf(record.window);
    data.uID = record.id;
    data.uFlags = record.flags;
    data.uCallbackMessage = record.callbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.icon);
    // The rest of the field stays zero, so the text is always terminated.
    const std::size_t tipLength = std::min(record.tip.size(), sizeof(data.szTip) - 1);
    std::copy_n(record.tip.begin(), tipLength, data.szTip);
    return Shell_NotifyIconA(MessageOf(operation), &data) != FALSE;
}

MenuId TrayShellWin32::NewPopupMenu() {
    return reinterpret_cast<MenuId>(CreatePopupMenu());
}

bool TrayShellWin32::AppendMenuEntry(MenuId menu, std::uint32_t flags, std::int32_t commandId,
                                     const MenuEntry* entry) {
    // An owner-drawn entry carries its item data where a text would go.
    return AppendMenuA(MenuOf(menu), flags, static_cast<UINT_PTR>(commandId),
                       reinterpret_cast<LPCSTR>(entry)) != FALSE;
}

ScreenPoint TrayShellWin32::CursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
}

void TrayShellWin32::BringToForeground(WindowId window) {
    SetForegroundWindow(WindowOf(window));
}

void TrayShellWin32::TrackMenu(MenuId menu, std::uint32_t flags, std::int32_t x, std::int32_t y,
                               WindowId owner) {
    TrackPopupMenu(MenuOf(menu), flags, x, y, 0, WindowOf(owner), nullptr);
}

}  // namespace belegbote
