#pragma once
#include "platform/HostWindow.h"

namespace belegbote {

// No window on POSIX: a timerfd stands for the scan timer, and SIGINT,
// SIGTERM and SIGHUP arrive through a signalfd as a close request.
class HostWindowPosix final : public HostWindow {
public:
    ~HostWindowPosix() override;
    WindowId Create(const std::string& title, WindowEvents& events) override;
    void Destroy() override;
    void StartTimer(std::uint32_t timerId, std::uint32_t intervalMs) override;
    PumpResult PumpOne(std::uint32_t timeoutMs) override;

private:
    PumpResult DispatchReady(short signalEvents, short timerEvents);

    WindowEvents* events_ = nullptr;
    int signalFd_ = -1;
    int timerFd_ = -1;
    std::uint32_t timerId_ = 0;
};

}  // namespace belegbote
