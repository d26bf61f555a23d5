#include "tray/MenuLook.h"

namespace belegbote {

namespace {

constexpr std::uint8_t White = 255;

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, std::int32_t part, std::int32_t whole) {
    return static_cast<std::uint8_t>(from + (to - from) * part / whole);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameLetter(char a, char b) {
    return LowerAscii(a) == LowerAscii(b);
}

bool ChosenBy(std::string_view text, char typed) {
    if (text.empty()) {
        return false;
    }
    if (SameLetter(text.front(), typed)) {
        return true;
    }
    for (std::size_t at = text.find('&'); at != std::string_view::npos && at + 1 < text.size();
         at = text.find('&', at + 1)) {
        if (SameLetter(text[at + 1], typed)) {
            return true;
        }
    }
    return false;
}

}  // namespace

MenuSize MeasureMenuEntry(const MenuEntry& entry, MenuSize textSize) {
    if (IsSeparator(entry)) {
        return {MenuTextLeft, MenuSeparatorHeight};
    }
    return {textSize.width + MenuTextLeft, textSize.height + MenuTextExtraHeight};
}

MenuEntryLayout LayOutMenuEntry(const MenuRect& item) {
    MenuEntryLayout layout;
    layout.strip = {item.left, item.top, item.left + MenuStripWidth, item.bottom};
    const std::int32_t iconTop = item.top + (item.bottom - item.top - MenuIconSize) / 2;
    layout.icon = {item.left + MenuIconLeft, iconTop, item.left + MenuIconLeft + MenuIconSize,
                   iconTop + MenuIconSize};
    layout.text = {item.left + MenuTextLeft, item.top, item.right, item.bottom};
    const std::int32_t lineTop = item.top + (item.bottom - item.top) / 2;
    layout.separatorLine = {item.left + MenuTextLeft, lineTop, item.right, lineTop + 1};
    return layout;
}

MenuColour HoverColour(MenuColour highlight) {
    return {Mix(highlight.red, White, 1, 2), Mix(highlight.green, White, 1, 2),
            Mix(highlight.blue, White, 1, 2)};
}

MenuColour StripColour(std::int32_t column, MenuColour highlight) {
    return {Mix(White, highlight.red, column, MenuStripWidth),
            Mix(White, highlight.green, column, MenuStripWidth),
            Mix(White, highlight.blue, column, MenuStripWidth)};
}

std::optional<std::size_t> EntryForTypedChar(std::span<const std::string_view> texts, char typed) {
    for (std::size_t index = 0; index < texts.size(); ++index) {
        if (ChosenBy(texts[index], typed)) {
            return index;
        }
    }
    return std::nullopt;
}

}  // namespace belegbote
