#pragma once
// Which tray notifications are clicks the loop cares about.
#include <cstdint>

#include "app/AppEvent.h"

namespace belegbote {

inline constexpr std::uint32_t TrayCallbackMessage = 12501;

// Maps the mouse message the shell reports in lParam; None for moves,
// releases and the middle button.
TrayClick ClickOfMouseMessage(std::uint32_t mouseMessage);

}  // namespace belegbote
