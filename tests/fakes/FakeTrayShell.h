#pragma once
// A notification area and menu system that record what they are asked.
#include <string>
#include <utility>
#include <vector>

#include "platform/TrayShell.h"

namespace belegbote::testing {

class FakeTrayShell : public TrayShell {
public:
    struct Notification {
        ShellOperation operation;
        ShellIconRecord record;
    };
    struct AppendedEntry {
        MenuId menu;
        std::uint32_t flags;
        std::int32_t commandId;
        const MenuEntry* address;  // the item data the menu keeps
        MenuEntry entry;           // what it held when appended
    };
    struct TrackedMenu {
        MenuId menu;
        std::uint32_t flags;
        std::int32_t x;
        std::int32_t y;
        WindowId owner;
    };

    bool NotifyIcon(ShellOperation operation, const ShellIconRecord& record) override {
        notifications.push_back({operation, record});
        calls.push_back("NotifyIcon");
        return operation == ShellOperation::Add ? acceptAdd : acceptOthers;
    }
    MenuId NewPopupMenu() override {
        calls.push_back("NewPopupMenu");
        return menuToCreate;
    }
    bool AppendMenuEntry(MenuId menu, std::uint32_t flags, std::int32_t commandId,
                         const MenuEntry* entry) override {
        calls.push_back("AppendMenuEntry");
        appended.push_back({menu, flags, commandId, entry, entry ? *entry : MenuEntry{}});
        return true;
    }
    ScreenPoint CursorPosition() override {
        calls.push_back("CursorPosition");
        return cursor;
    }
    void BringToForeground(WindowId window) override {
        calls.push_back("BringToForeground " + std::to_string(window));
    }
    void TrackMenu(MenuId menu, std::uint32_t flags, std::int32_t x, std::int32_t y,
                   WindowId owner) override {
        calls.push_back("TrackMenu");
        tracked.push_back({menu, flags, x, y, owner});
    }

    bool acceptAdd = true;
    bool acceptOthers = true;
    MenuId menuToCreate = 77;
    ScreenPoint cursor{500, 400};
    std::vector<Notification> notifications;
    std::vector<AppendedEntry> appended;
    std::vector<TrackedMenu> tracked;
    std::vector<std::string> calls;
};

}  // namespace belegbote::testing
