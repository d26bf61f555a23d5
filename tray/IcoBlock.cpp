#include "tray/IcoBlock.h"

namespace belegbote {

std::optional<IcoEntry> PickIcoEntry(std::span<const std::uint8_t> block) {
    if (block.size() < IcoHeaderSize + IcoEntrySize) {
        return std::nullopt;
    }
    const bool isIconFile = ReadLittle16(block, 0) == 0 && ReadLittle16(block, 2) == 1;
    if (!isIconFile || ReadLittle16(block, 4) == 0) {
        return std::nullopt;
    }
    const IcoEntry entry{ReadLittle32(block, IcoHeaderSize + 12),
                         ReadLittle32(block, IcoHeaderSize + 8)};
    if (entry.offset > block.size() || entry.size > block.size() - entry.offset) {
        return std::nullopt;
    }
    return entry;
}

}  // namespace belegbote
