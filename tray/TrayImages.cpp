#include "tray/TrayImages.h"

#include <vector>

#include "tray/IcoBlock.h"

namespace belegbote {

namespace {

bool IsImageNumber(int number) {
    return number >= 1 && number <= 3;
}

// The 16-bit format is one the plain call cannot read either.
constexpr std::uint32_t BitsWithoutFallback = 16;

}  // namespace

void TrayImages::LoadImages() {
    for (int number = 1; number <= 3; ++number) {
        LoadBlock(number, StoredIcoBlocks[static_cast<std::size_t>(number - 1)]);
    }
}

bool TrayImages::LoadBlock(int number, std::span<const std::uint8_t> block) {
    const std::optional<IcoEntry> entry = PickIcoEntry(block);
    if (!IsImageNumber(number) || !entry || entry->size < BitmapHeaderSize) {
        return false;
    }
    // The system calls take a buffer of their own.
    std::vector<std::uint8_t> data(
        block.begin() + static_cast<std::ptrdiff_t>(entry->offset),
        block.begin() + static_cast<std::ptrdiff_t>(entry->offset + entry->size));
    const auto width = static_cast<std::int32_t>(ReadLittle32(data, 4));
    const auto height = static_cast<std::int32_t>(ReadLittle32(data, 8)) / 2;
    IconId icon = factory_.IconOfSize(data, width, height);
    if (icon == 0 && ReadLittle16(data, 14) != BitsWithoutFallback) {
        icon = factory_.IconOfDefaultSize(data);
    }
    IconId& slot = icons_[static_cast<std::size_t>(number - 1)];
    if (slot != 0) {
        factory_.ReleaseIcon(slot);
    }
    slot = icon;
    return icon != 0;
}

IconId TrayImages::ImageHandle(int number) const {
    return IsImageNumber(number) ? icons_[static_cast<std::size_t>(number - 1)] : 0;
}

void TrayImages::ReleaseImages() {
    for (IconId& icon : icons_) {
        if (icon != 0) {
            factory_.ReleaseIcon(icon);
            icon = 0;
        }
    }
}

}  // namespace belegbote
