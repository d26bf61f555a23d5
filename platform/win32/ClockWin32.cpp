#include "platform/win32/ClockWin32.h"

#include <windows.h>
// Needs the types of <windows.h> first.
#include <mmsystem.h>

namespace belegbote {

void ClockWin32::Pause(std::uint32_t ms) {
    // The fine resolution is held for this pause alone.
    ::timeBeginPeriod(1);
    ::Sleep(ms);
    ::timeEndPeriod(1);
}

std::uint64_t ClockWin32::NowMs() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    const auto ticks = static_cast<std::uint64_t>(counter.QuadPart);
    const auto perSecond = static_cast<std::uint64_t>(frequency.QuadPart);
    // Split so that ticks * 1000 cannot overflow.
    return ticks / perSecond * 1000u + ticks % perSecond * 1000u / perSecond;
}

}  // namespace belegbote
