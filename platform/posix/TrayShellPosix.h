#pragma once
#include <map>
#include <vector>

#include "platform/TrayShell.h"

namespace belegbote {

// There is no notification area: the shell refuses every icon, so the icon
// is never registered and image changes report failure. The menu is built
// but can never be opened.
class TrayShellPosix final : public TrayShell {
public:
    bool NotifyIcon(ShellOperation operation, const ShellIconRecord& record) override;
    MenuId NewPopupMenu() override;
    bool AppendMenuEntry(MenuId menu, std::uint32_t flags, std::int32_t commandId,
                         const MenuEntry* entry) override;
    ScreenPoint CursorPosition() override { return {}; }
    void BringToForeground(WindowId) override {}
    void TrackMenu(MenuId, std::uint32_t, std::int32_t, std::int32_t, WindowId) override {}

private:
    std::map<MenuId, std::vector<const MenuEntry*>> menus_;
};

}  // namespace belegbote
