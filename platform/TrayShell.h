#pragma once
// The notification area and the popup menu of the tray icon.
#include <cstdint>
#include <string>

#include "platform/HostWindow.h"
#include "platform/IconFactory.h"

namespace belegbote {

// Which parts of a shell record an operation sets (the shell's own values).
inline constexpr std::uint32_t ShellSetsMessage = 0x1;
inline constexpr std::uint32_t ShellSetsIcon = 0x2;
inline constexpr std::uint32_t ShellSetsTip = 0x4;

enum class ShellOperation { Add, Modify, Delete };

// One notification-area record. Fields the operation does not set stay zero.
struct ShellIconRecord {
    WindowId window = 0;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    IconId icon = 0;
    std::string tip;  // at most 63 characters; the shell's field is terminated
};

using MenuId = std::uintptr_t;  // 0 = no menu

// Menu flags and the popup's tracking flag (the system's own values).
inline constexpr std::uint32_t MenuEntryOwnerDrawn = 0x0100;
inline constexpr std::uint32_t MenuEntrySeparator = 0x0800;
inline constexpr std::uint32_t TrackWithRightButton = 0x0002;

// Look flags of a menu entry.
inline constexpr std::uint32_t MenuLookGradient = 0x1;

// The item data of an owner-drawn entry: what the painter needs to size and
// draw it. The separator has no text.
struct MenuEntry {
    std::string text;
    IconId image = 0;  // not owned
    std::uint32_t lookFlags = 0;
};

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

class TrayShell {
public:
    virtual ~TrayShell() = default;

    // True when the shell accepted the record.
    virtual bool NotifyIcon(ShellOperation operation, const ShellIconRecord& record) = 0;

    virtual MenuId NewPopupMenu() = 0;
    // `entry` must live as long as the menu; the painter reads it.
    virtual bool AppendMenuEntry(MenuId menu, std::uint32_t flags, std::int32_t commandId,
                                 const MenuEntry* entry) = 0;
    virtual ScreenPoint CursorPosition() = 0;
    virtual void BringToForeground(WindowId window) = 0;
    // Returns when the menu has closed; a choice arrives later as a command.
    virtual void TrackMenu(MenuId menu, std::uint32_t flags, std::int32_t x, std::int32_t y,
                           WindowId owner) = 0;
};

}  // namespace belegbote
