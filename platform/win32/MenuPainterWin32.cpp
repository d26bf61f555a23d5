#include "platform/win32/MenuPainterWin32.h"

#include <cstddef>
#include <string_view>
#include <vector>

#include "tray/MenuLook.h"

namespace belegbote {

namespace {

// The system's menu font, fetched once and again whenever settings change;
// it lives as long as the menu, until the process ends.
HFONT menuFont = nullptr;

void RefreshMenuFont() {
    if (menuFont != nullptr) {
        DeleteObject(menuFont);
        menuFont = nullptr;
    }
    NONCLIENTMETRICSA metrics{};
#if WINVER >= 0x0600
    // The size without the field newer systems added, which every system takes.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
#else
    metrics.cbSize = sizeof(metrics);
#endif
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        menuFont = CreateFontIndirectA(&metrics.lfMenuFont);
    }
}

HGDIOBJ MenuFont() {
    if (menuFont == nullptr) {
        RefreshMenuFont();
    }
    return menuFont != nullptr ? menuFont : GetStockObject(DEFAULT_GUI_FONT);
}

const MenuEntry* EntryOf(ULONG_PTR itemData) {
    return reinterpret_cast<const MenuEntry*>(itemData);
}

MenuColour ColourOf(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

void FillSolid(HDC dc, const MenuRect& area, COLORREF colour) {
    const RECT rect{area.left, area.top, area.right, area.bottom};
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void FillSolid(HDC dc, const MenuRect& area, MenuColour colour) {
    FillSolid(dc, area, RGB(colour.red, colour.green, colour.blue));
}

void DrawBackground(HDC dc, const MenuRect& item, const MenuEntry& entry, bool hovered) {
    const MenuColour highlight = ColourOf(GetSysColor(COLOR_HIGHLIGHT));
    if (hovered) {
        FillSolid(dc, item, HoverColour(highlight));
        const RECT frame{item.left, item.top, item.right, item.bottom};
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    FillSolid(dc, item, GetSysColor(COLOR_MENU));
    if ((entry.lookFlags & MenuLookGradient) == 0) {
        return;
    }
    const MenuRect strip = LayOutMenuEntry(item).strip;
    for (std::int32_t column = 0; column < strip.right - strip.left; ++column) {
        const MenuRect line{strip.left + column, strip.top, strip.left + column + 1, strip.bottom};
        FillSolid(dc, line, StripColour(column, highlight));
    }
}

void PaintText(HDC dc, const MenuEntry& entry, const MenuRect& area, bool hovered) {
    RECT rect{area.left, area.top, area.right, area.bottom};
    const HGDIOBJ previousFont = SelectObject(dc, MenuFont());
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour =
        SetTextColor(dc, GetSysColor(hovered ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    DrawTextA(dc, entry.text.c_str(), -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

}  // namespace

bool MenuPainterWin32::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) {
    switch (message) {
        case WM_MEASUREITEM:
            result = TRUE;
            return Measure(window, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_DRAWITEM:
            result = TRUE;
            return Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_MENUCHAR:
            return ChooseByChar(reinterpret_cast<HMENU>(lParam), static_cast<char>(LOWORD(wParam)),
                                result);
        case WM_WININICHANGE: RefreshMenuFont(); return false;
        default: return false;
    }
}

bool MenuPainterWin32::Measure(HWND window, MEASUREITEMSTRUCT& item) {
    const MenuEntry* entry = EntryOf(item.itemData);
    if (item.CtlType != ODT_MENU || entry == nullptr) {
        return false;
    }
    SIZE text{};
    HDC dc = GetDC(window);
    const HGDIOBJ previousFont = SelectObject(dc, MenuFont());
    GetTextExtentPoint32A(dc, entry->text.c_str(), static_cast<int>(entry->text.size()), &text);
    SelectObject(dc, previousFont);
    ReleaseDC(window, dc);
    const MenuSize size = MeasureMenuEntry(*entry, {text.cx, text.cy});
    item.itemWidth = static_cast<UINT>(size.width);
    item.itemHeight = static_cast<UINT>(size.height);
    return true;
}

bool MenuPainterWin32::Draw(const DRAWITEMSTRUCT& item) {
    const MenuEntry* entry = EntryOf(item.itemData);
    if (item.CtlType != ODT_MENU || entry == nullptr) {
        return false;
    }
    const MenuRect area{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
    const MenuEntryLayout layout = LayOutMenuEntry(area);
    const bool hovered = (item.itemState & ODS_SELECTED) != 0;
    DrawBackground(item.hDC, area, *entry, hovered);
    if (IsSeparator(*entry)) {
        FillSolid(item.hDC, layout.separatorLine, GetSysColor(COLOR_BTNSHADOW));
        return true;
    }
    if (entry->image != 0) {
        DrawIconEx(item.hDC, layout.icon.left, layout.icon.top,
                   reinterpret_cast<HICON>(entry->image), MenuIconSize, MenuIconSize, 0, nullptr,
                   DI_NORMAL);
    }
    PaintText(item.hDC, *entry, layout.text, hovered);
    return true;
}

bool MenuPainterWin32::ChooseByChar(HMENU menu, char typed, LRESULT& result) {
    std::vector<std::string_view> texts;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        const bool known = GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
        const MenuEntry* entry = known ? EntryOf(info.dwItemData) : nullptr;
        texts.push_back(entry != nullptr ? std::string_view(entry->text) : std::string_view());
    }
    const std::optional<std::size_t> chosen = EntryForTypedChar(texts, typed);
    if (!chosen) {
        return false;
    }
    result = MAKELRESULT(static_cast<WORD>(*chosen), MNC_EXECUTE);
    return true;
}

}  // namespace belegbote
