#pragma once
// First-in, first-out store of events filled by the host window's procedure.
#include <deque>
#include <optional>

#include "app/AppEvent.h"

namespace belegbote {

class EventQueue {
public:
    // An event equal to the newest one still waiting is not added again.
    void Push(const AppEvent& event);
    std::optional<AppEvent> PopOldest();
    bool Empty() const { return events_.empty(); }

private:
    std::deque<AppEvent> events_;
};

}  // namespace belegbote
