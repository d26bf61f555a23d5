#include "platform/posix/TrayShellPosix.h"

namespace belegbote {

bool TrayShellPosix::NotifyIcon(ShellOperation, const ShellIconRecord&) {
    return false;
}

MenuId TrayShellPosix::NewPopupMenu() {
    const MenuId menu = menus_.size() + 1;
    menus_[menu];
    return menu;
}

bool TrayShellPosix::AppendMenuEntry(MenuId menu, std::uint32_t, std::int32_t,
                                     const MenuEntry* entry) {
    const auto found = menus_.find(menu);
    if (found == menus_.end() || entry == nullptr) {
        return false;
    }
    found->second.push_back(entry);
    return true;
}

}  // namespace belegbote
