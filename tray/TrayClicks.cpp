#include "tray/TrayClicks.h"

namespace belegbote {

TrayClick ClickOfMouseMessage(std::uint32_t mouseMessage) {
    switch (mouseMessage) {
        case 0x0201: return TrayClick::LeftPress;        // WM_LBUTTONDOWN
        case 0x0203: return TrayClick::LeftDoubleClick;  // WM_LBUTTONDBLCLK
        case 0x0204: return TrayClick::RightPress;       // WM_RBUTTONDOWN
        case 0x0206: return TrayClick::RightDoubleClick; // WM_RBUTTONDBLCLK
        default: return TrayClick::None;
    }
}

}  // namespace belegbote
