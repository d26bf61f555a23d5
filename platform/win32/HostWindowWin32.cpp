#include "platform/win32/HostWindowWin32.h"

#include "platform/win32/MenuPainterWin32.h"
#include "tray/TrayClicks.h"

namespace belegbote {

namespace {

const char* const ClassName = "WindowClass_0";

WindowEvents* EventsOf(HWND window) {
    return reinterpret_cast<WindowEvents*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool RegisterHostClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = ClassName;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

WindowId HostWindowWin32::Create(const std::string& title, WindowEvents& events) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    registered_ = RegisterHostClass(instance);
    RECT frame{0, 0, 10, 10};
    AdjustWindowRectEx(&frame, WS_CAPTION, FALSE, 0);
    window_ = CreateWindowExA(0, ClassName, title.c_str(), WS_CAPTION, 10, 10,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              instance, nullptr);
    if (window_ == nullptr) {
        Destroy();
        return 0;
    }
    // The class starts with the default procedure, so nothing reaches ours
    // before it knows whom to tell.
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&events));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    return reinterpret_cast<WindowId>(window_);
}

void HostWindowWin32::Destroy() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
        window_ = nullptr;
    }
    if (registered_) {
        UnregisterClassA(ClassName, GetModuleHandleA(nullptr));
        registered_ = false;
    }
}

void HostWindowWin32::StartTimer(std::uint32_t timerId, std::uint32_t intervalMs) {
    if (window_ != nullptr) {
        SetTimer(window_, timerId, intervalMs, nullptr);
    }
}

PumpResult HostWindowWin32::PumpOne(std::uint32_t timeoutMs) {
    MSG message{};
    const UINT flags = PM_REMOVE | PM_NOYIELD;
    if (!PeekMessageA(&message, nullptr, 0, 0, flags)) {
        const DWORD woken = MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs,
                                                      QS_ALLINPUT | QS_ALLPOSTMESSAGE);
        if (woken == WAIT_TIMEOUT || !PeekMessageA(&message, nullptr, 0, 0, flags)) {
            return PumpResult::NoMessage;
        }
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return message.message == WM_CLOSE ? PumpResult::DispatchedClose : PumpResult::Dispatched;
}

LRESULT CALLBACK HostWindowWin32::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    WindowEvents* events = EventsOf(window);
    switch (message) {
        case WM_CLOSE:
            events->OnClose();
            return 0;
        case WM_COMMAND:
            if (lParam != 0) {
                break;
            }
            events->OnCommand(LOWORD(wParam));
            return 0;
        case WM_TIMER:
            events->OnTimer(static_cast<std::uint32_t>(wParam));
            return 0;
        case TrayCallbackMessage:
            events->OnTrayCallback(static_cast<std::uint32_t>(wParam),
                                   static_cast<std::uint32_t>(lParam));
            PostMessageA(window, WM_NULL, 0, 0);
            return 0;
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_MENUCHAR:
        case WM_WININICHANGE: {
            LRESULT result = 0;
            if (MenuPainterWin32::Handle(window, message, wParam, lParam, result)) {
                return result;
            }
            break;
        }
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace belegbote
