#pragma once
// The measures and colours of the owner-drawn popup menu, and the entry a
// typed character chooses. The painter of the platform only carries them out.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/TrayShell.h"

namespace belegbote {

inline constexpr std::int32_t MenuStripWidth = 20;  // the shaded strip at the left
inline constexpr std::int32_t MenuIconSize = 16;    // the entry's image, scaled
inline constexpr std::int32_t MenuIconLeft = 2;     // centres the image in the strip
inline constexpr std::int32_t MenuTextLeft = 28;    // where the text starts
inline constexpr std::int32_t MenuTextExtraHeight = 6;
inline constexpr std::int32_t MenuSeparatorHeight = 9;

struct MenuSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct MenuRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const MenuRect&, const MenuRect&) = default;
};

struct MenuColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const MenuColour&, const MenuColour&) = default;
};

// Where the parts of one entry go within its rectangle.
struct MenuEntryLayout {
    MenuRect strip;
    MenuRect icon;
    MenuRect text;           // one line, centred vertically in it
    MenuRect separatorLine;  // one pixel high
};

inline bool IsSeparator(const MenuEntry& entry) {
    return entry.text.empty();
}

// The size the menu asks for an entry whose text measures `textSize`.
MenuSize MeasureMenuEntry(const MenuEntry& entry, MenuSize textSize);

MenuEntryLayout LayOutMenuEntry(const MenuRect& item);

// The fill of the entry under the pointer: halfway between the highlight
// colour and white.
MenuColour HoverColour(MenuColour highlight);

// Column `column` (0 at the left edge) of the strip, shading from white
// towards the highlight colour.
MenuColour StripColour(std::int32_t column, MenuColour highlight);

// The first entry whose text begins with `typed` or has it after an "&",
// ignoring the case of A to Z. Entries without text are never chosen.
std::optional<std::size_t> EntryForTypedChar(std::span<const std::string_view> texts, char typed);

}  // namespace belegbote
