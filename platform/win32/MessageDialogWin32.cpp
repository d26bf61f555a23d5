#include "platform/win32/MessageDialogWin32.h"

#include <windows.h>

#include <vector>

namespace belegbote {

namespace {

HWND OwnForegroundWindow() {
    HWND foreground = GetForegroundWindow();
    DWORD processId = 0;
    GetWindowThreadProcessId(foreground, &processId);
    return processId == GetCurrentProcessId() ? foreground : nullptr;
}

struct DisableScope {
    HWND owner;
    std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOwnWindow(HWND window, LPARAM context) {
    auto* scope = reinterpret_cast<DisableScope*>(context);
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(window, &processId);
    if (threadId == GetCurrentThreadId() && window != scope->owner && IsWindowVisible(window) &&
        IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        scope->disabled.push_back(window);
    }
    return TRUE;
}

}  // namespace

void MessageDialogWin32::ShowMessage(const std::string& title, const std::string& text) {
    DisableScope scope{OwnForegroundWindow(), {}};
    EnumWindows(&DisableOwnWindow, reinterpret_cast<LPARAM>(&scope));
    MessageBoxA(scope.owner, text.c_str(), title.c_str(), MB_OK);
    for (HWND window : scope.disabled) {
        EnableWindow(window, TRUE);
    }
}

}  // namespace belegbote
