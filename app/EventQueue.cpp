#include "app/EventQueue.h"

namespace belegbote {

void EventQueue::Push(const AppEvent& event) {
    if (!events_.empty() && events_.back() == event) {
        return;
    }
    events_.push_back(event);
}

std::optional<AppEvent> EventQueue::PopOldest() {
    if (events_.empty()) {
        return std::nullopt;
    }
    AppEvent oldest = events_.front();
    events_.pop_front();
    return oldest;
}

}  // namespace belegbote
