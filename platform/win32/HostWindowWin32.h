#pragma once
#include <windows.h>

#include "platform/HostWindow.h"

namespace belegbote {

class HostWindowWin32 final : public HostWindow {
public:
    WindowId Create(const std::string& title, WindowEvents& events) override;
    void Destroy() override;
    void StartTimer(std::uint32_t timerId, std::uint32_t intervalMs) override;
    PumpResult PumpOne(std::uint32_t timeoutMs) override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    bool registered_ = false;
};

}  // namespace belegbote
