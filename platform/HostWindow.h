#pragma once
// The hidden host window, its scan timer and the thread's message pump.
#include <cstdint>
#include <string>

namespace belegbote {

using WindowId = std::uintptr_t;  // 0 = no window

// What the host window's procedure reports while a message is dispatched.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void OnClose() = 0;
    virtual void OnCommand(std::uint32_t commandId) = 0;
    virtual void OnTimer(std::uint32_t timerId) = 0;
    virtual void OnTrayCallback(std::uint32_t iconId, std::uint32_t mouseMessage) = 0;
};

enum class PumpResult {
    NoMessage,        // the wait ran out, or nothing was there after it
    Dispatched,       // a message was taken and dispatched
    DispatchedClose,  // ... and it was WM_CLOSE (for any window or none)
};

class HostWindow {
public:
    virtual ~HostWindow() = default;

    // Registers the class and creates the window, never shown. 0 on failure.
    virtual WindowId Create(const std::string& title, WindowEvents& events) = 0;
    virtual void Destroy() = 0;
    // The interval goes to the platform unchecked.
    virtual void StartTimer(std::uint32_t timerId, std::uint32_t intervalMs) = 0;

    // Takes and dispatches at most one message, waiting up to `timeoutMs`.
    virtual PumpResult PumpOne(std::uint32_t timeoutMs) = 0;
};

}  // namespace belegbote
