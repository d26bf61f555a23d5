#pragma once
#include "platform/TrayShell.h"

namespace belegbote {

class TrayShellWin32 final : public TrayShell {
public:
    bool NotifyIcon(ShellOperation operation, const ShellIconRecord& record) override;
    MenuId NewPopupMenu() override;
    bool AppendMenuEntry(MenuId menu, std::uint32_t flags, std::int32_t commandId,
                         const MenuEntry* entry) override;
    ScreenPoint CursorPosition() override;
    void BringToForeground(WindowId window) override;
    void TrackMenu(MenuId menu, std::uint32_t flags, std::int32_t x, std::int32_t y,
                   WindowId owner) override;
};

}  // namespace belegbote
