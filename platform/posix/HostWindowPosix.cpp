#include "platform/posix/HostWindowPosix.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>

namespace belegbote {

namespace {

sigset_t CloseSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

// The limits Windows applies to timer intervals, so both builds pace alike.
std::uint32_t TimerInterval(std::uint32_t ms) {
    return std::clamp<std::uint32_t>(ms, 10u, 0x7FFFFFFFu);
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

}  // namespace

HostWindowPosix::~HostWindowPosix() { Destroy(); }

WindowId HostWindowPosix::Create(const std::string& /*title*/, WindowEvents& events) {
    const sigset_t signals = CloseSignals();
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0) {
        return 0;
    }
    signalFd_ = signalfd(-1, &signals, SFD_CLOEXEC);
    if (signalFd_ < 0) {
        return 0;
    }
    events_ = &events;
    return 1;
}

void HostWindowPosix::Destroy() {
    CloseFd(timerFd_);
    CloseFd(signalFd_);
    events_ = nullptr;
}

void HostWindowPosix::StartTimer(std::uint32_t timerId, std::uint32_t intervalMs) {
    if (events_ == nullptr) {
        return;
    }
    CloseFd(timerFd_);
    timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
    if (timerFd_ < 0) {
        return;
    }
    const std::uint32_t ms = TimerInterval(intervalMs);
    itimerspec spec{};
    spec.it_interval.tv_sec = ms / 1000;
    spec.it_interval.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
    spec.it_value = spec.it_interval;
    timerfd_settime(timerFd_, 0, &spec, nullptr);
    timerId_ = timerId;
}

PumpResult HostWindowPosix::PumpOne(std::uint32_t timeoutMs) {
    pollfd fds[2] = {{signalFd_, POLLIN, 0}, {timerFd_, POLLIN, 0}};
    const int ready = poll(fds, 2, static_cast<int>(std::min<std::uint32_t>(timeoutMs, 0x7FFFFFFF)));
    if (ready <= 0) {
        return PumpResult::NoMessage;
    }
    return DispatchReady(fds[0].revents, fds[1].revents);
}

PumpResult HostWindowPosix::DispatchReady(short signalEvents, short timerEvents) {
    if (signalEvents & POLLIN) {
        signalfd_siginfo info{};
        if (read(signalFd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
            events_->OnClose();
            return PumpResult::DispatchedClose;
        }
    }
    if (timerEvents & POLLIN) {
        // However many intervals passed, one tick is delivered.
        std::uint64_t expirations = 0;
        if (read(timerFd_, &expirations, sizeof expirations) == sizeof expirations) {
            events_->OnTimer(timerId_);
            return PumpResult::Dispatched;
        }
    }
    return PumpResult::NoMessage;
}

}  // namespace belegbote
