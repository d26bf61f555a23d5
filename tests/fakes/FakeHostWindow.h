#pragma once
// A host window whose message queue is a script of dispatches.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/HostWindow.h"

namespace belegbote::testing {

class FakeHostWindow : public HostWindow {
public:
    // One message: what the procedure reports while it is dispatched, and
    // whether the message itself was WM_CLOSE.
    struct Message {
        std::function<void(WindowEvents&)> procedure;
        bool isClose = false;
    };

    void Queue(Message message) { messages.push_back(std::move(message)); }

    WindowId Create(const std::string& title, WindowEvents& windowEvents) override {
        calls.push_back("Create " + title);
        events = &windowEvents;
        return createFails ? 0 : 42;
    }
    void Destroy() override { calls.push_back("Destroy"); }
    void StartTimer(std::uint32_t timerId, std::uint32_t intervalMs) override {
        calls.push_back("StartTimer " + std::to_string(timerId) + " " + std::to_string(intervalMs));
    }
    PumpResult PumpOne(std::uint32_t timeoutMs) override {
        waits.push_back(timeoutMs);
        if (messages.empty()) {
            return PumpResult::NoMessage;
        }
        Message next = std::move(messages.front());
        messages.pop_front();
        if (next.procedure) {
            next.procedure(*events);
        }
        return next.isClose ? PumpResult::DispatchedClose : PumpResult::Dispatched;
    }

    bool createFails = false;
    WindowEvents* events = nullptr;
    std::deque<Message> messages;
    std::vector<std::string> calls;
    std::vector<std::uint32_t> waits;
};

}  // namespace belegbote::testing
