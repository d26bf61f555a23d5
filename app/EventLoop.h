#pragma once
// The loop that drives all work on the program's one thread.
#include "app/EventSource.h"

namespace belegbote {

// What the loop asks of the other parts; each call may block for long.
class LoopReactions {
public:
    virtual ~LoopReactions() = default;
    virtual void ShowMenu() = 0;
    virtual void OpenWebPage() = 0;
    virtual void RunScan() = 0;
};

// Returns after the iteration in which a close request or the exit entry came.
void RunEventLoop(EventSource& source, LoopReactions& reactions);

// One iteration: reacts to `event` and tells whether the loop ends.
bool ReactToEvent(AppEvent& event, LoopReactions& reactions);

}  // namespace belegbote
