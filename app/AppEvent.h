#pragma once
// The events the loop reacts to.
#include <cstdint>

namespace belegbote {

enum class EventKind { NoEvent, CloseRequest, MenuEvent, TimerEvent, TrayEvent };

// Which mouse action on the tray icon a TrayEvent reports.
enum class TrayClick { None, LeftPress, RightPress, LeftDoubleClick, RightDoubleClick };

struct AppEvent {
    EventKind kind = EventKind::NoEvent;
    std::uint32_t id = 0;  // menu command, timer or tray icon id
    TrayClick click = TrayClick::None;

    friend bool operator==(const AppEvent&, const AppEvent&) = default;
};

inline constexpr std::uint32_t LoopWaitMs = 250;
inline constexpr std::uint32_t ScanTimerId = 1;
inline constexpr std::uint32_t TrayIconId = 1;
inline constexpr std::uint32_t MenuIdExit = 2;
inline constexpr std::uint32_t MenuIdWebPage = 3;

}  // namespace belegbote
