#include "app/EventLoop.h"

namespace belegbote {

bool ReactToEvent(AppEvent& event, LoopReactions& reactions) {
    if (event.kind == EventKind::TrayEvent && event.click == TrayClick::RightPress) {
        reactions.ShowMenu();
    }
    if (event.kind == EventKind::MenuEvent) {
        if (event.id == MenuIdExit) {
            event.kind = EventKind::CloseRequest;
        } else if (event.id == MenuIdWebPage) {
            reactions.OpenWebPage();
        }
    }
    if (event.kind == EventKind::TimerEvent && event.id == ScanTimerId) {
        reactions.RunScan();
    }
    return event.kind == EventKind::CloseRequest;
}

void RunEventLoop(EventSource& source, LoopReactions& reactions) {
    for (;;) {
        AppEvent current = source.WaitEvent(LoopWaitMs);
        if (ReactToEvent(current, reactions)) {
            return;
        }
    }
}

}  // namespace belegbote
