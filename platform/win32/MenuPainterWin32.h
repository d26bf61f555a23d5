#pragma once
#include <windows.h>

namespace belegbote {

// Sizes and paints the owner-drawn entries of the tray menu, chooses an entry
// by a typed character, and keeps the menu font up to date.
class MenuPainterWin32 {
public:
    // True when the message was handled; `result` is then the answer to it.
    // WM_WININICHANGE is seen but always left to the default handling too.
    static bool Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static bool Measure(HWND window, MEASUREITEMSTRUCT& item);
    static bool Draw(const DRAWITEMSTRUCT& item);
    static bool ChooseByChar(HMENU menu, char typed, LRESULT& result);
};

}  // namespace belegbote
