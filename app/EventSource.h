#pragma once
// Turns the host window's messages into AppEvents, one per WaitEvent.
#include <cstdint>
#include <optional>

#include "app/AppEvent.h"
#include "app/EventQueue.h"
#include "platform/HostWindow.h"

namespace belegbote {

class EventSource : public WindowEvents {
public:
    explicit EventSource(HostWindow& window) : window_(window) {}

    AppEvent WaitEvent(std::uint32_t timeoutMs);

    void OnClose() override;
    void OnCommand(std::uint32_t commandId) override;
    void OnTimer(std::uint32_t timerId) override;
    void OnTrayCallback(std::uint32_t iconId, std::uint32_t mouseMessage) override;

private:
    HostWindow& window_;
    EventQueue queue_;
    // Set by the procedure while the current message is dispatched.
    std::optional<AppEvent> produced_;
};

}  // namespace belegbote
