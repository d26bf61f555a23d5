#include "app/EventSource.h"

#include <utility>

#include "tray/TrayClicks.h"

namespace belegbote {

AppEvent EventSource::WaitEvent(std::uint32_t timeoutMs) {
    if (auto waiting = queue_.PopOldest()) {
        return *waiting;
    }
    produced_.reset();
    const PumpResult result = window_.PumpOne(timeoutMs);
    if (produced_) {
        return *std::exchange(produced_, std::nullopt);
    }
    if (result == PumpResult::DispatchedClose) {
        return AppEvent{EventKind::CloseRequest};
    }
    return AppEvent{};
}

void EventSource::OnClose() { queue_.Push(AppEvent{EventKind::CloseRequest}); }

void EventSource::OnCommand(std::uint32_t commandId) {
    produced_ = AppEvent{EventKind::MenuEvent, commandId & 0xFFFFu};
}

void EventSource::OnTimer(std::uint32_t timerId) {
    produced_ = AppEvent{EventKind::TimerEvent, timerId};
}

void EventSource::OnTrayCallback(std::uint32_t iconId, std::uint32_t mouseMessage) {
    const TrayClick click = ClickOfMouseMessage(mouseMessage);
    if (click != TrayClick::None) {
        queue_.Push(AppEvent{EventKind::TrayEvent, iconId, click});
    }
}

}  // namespace belegbote
