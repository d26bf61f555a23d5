#pragma once
// The three tray images, stored as complete single-image ICO files. All three
// are built at compile time from the one drawing of the mark below, so the
// blocks cannot disagree with each other or with their header values.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace belegbote {

inline constexpr int MarkWidth = 47;
inline constexpr int MarkHeight = 37;

// The mark, top row first: '#' is drawn in the image's colour, '.' lets the
// screen show through. A page with lines of text, handed on by an arrow; the
// strokes are at least three pixels wide so that it still reads at 16 x 16.
inline constexpr std::array<std::string_view, MarkHeight> MarkRows = {
    ".###################...........................",
    ".####################..........................",
    ".#####################.........................",
    ".######################........................",
    ".#######################.......................",
    ".########################......................",
    ".######..........#########.....................",
    ".######..........##########....................",
    ".######..........###########...................",
    ".###########################...................",
    ".###########################...................",
    ".###########################...................",
    ".###########################...#...............",
    ".######.................####...##..............",
    ".######.................####...####............",
    ".######.................####...#####...........",
    ".###############...............######..........",
    ".###############...............#######.........",
    ".###############...............#########.......",
    ".###############...######################......",
    ".######.......##...#######################.....",
    ".######.......##...########################....",
    ".######.......##...##########################..",
    ".###############...###########################.",
    ".###############...############################",
    ".###############...###########################.",
    ".###############...##########################..",
    ".######.......##...########################....",
    ".######.......##...#######################.....",
    ".######.......##...######################......",
    ".###############...............#########.......",
    ".###############...............#######.........",
    ".###############...............######..........",
    ".###########################...#####...........",
    ".###########################...####............",
    ".###########################...##..............",
    ".###########################...#...............",
};

struct MarkColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// Image 1 idle (red), 2 and 3 the two frames of the hand-off signal.
inline constexpr std::array<MarkColour, 3> ImageColours = {{{255, 0, 0}, {0, 147, 0}, {0, 0, 255}}};

inline constexpr std::size_t IcoHeaderSize = 6;
inline constexpr std::size_t IcoEntrySize = 16;
inline constexpr std::size_t BitmapHeaderSize = 40;
inline constexpr std::uint16_t ColourBits = 24;
// Rows of a bitmap are padded to whole 32-bit words.
inline constexpr std::size_t ColourRowBytes = (MarkWidth * 3 + 3) / 4 * 4;
inline constexpr std::size_t MaskRowBytes = (MarkWidth + 31) / 32 * 4;
inline constexpr std::size_t ImageDataOffset = IcoHeaderSize + IcoEntrySize;
inline constexpr std::size_t ColourRowsOffset = ImageDataOffset + BitmapHeaderSize;
inline constexpr std::size_t MaskRowsOffset = ColourRowsOffset + MarkHeight * ColourRowBytes;
inline constexpr std::size_t IcoBlockSize = MaskRowsOffset + MarkHeight * MaskRowBytes;
inline constexpr std::size_t ImageDataSize = IcoBlockSize - ImageDataOffset;

using IcoBlock = std::array<std::uint8_t, IcoBlockSize>;

constexpr std::uint32_t ReadLittle16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8);
}

constexpr std::uint32_t ReadLittle32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return ReadLittle16(bytes, at) | ReadLittle16(bytes, at + 2) << 16;
}

namespace ico_detail {

constexpr void PutLittle(IcoBlock& block, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        block[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

constexpr bool MarkIsWellFormed() {
    for (std::string_view row : MarkRows) {
        if (row.size() != MarkWidth || row.find_first_not_of("#.") != std::string_view::npos) {
            return false;
        }
    }
    return true;
}
static_assert(MarkIsWellFormed(), "every row of the mark: 47 characters of '#' and '.'");

constexpr void PutHeaders(IcoBlock& block) {
    PutLittle(block, 0, 0, 2);  // reserved
    PutLittle(block, 2, 1, 2);  // type: icon
    PutLittle(block, 4, 1, 2);  // one entry
    PutLittle(block, 6, MarkWidth, 1);
    PutLittle(block, 7, MarkHeight, 1);
    PutLittle(block, 8, 0, 2);   // no palette, reserved
    PutLittle(block, 10, 1, 2);  // planes
    PutLittle(block, 12, ColourBits, 2);
    PutLittle(block, 14, ImageDataSize, 4);
    PutLittle(block, 18, ImageDataOffset, 4);
    const std::size_t info = ImageDataOffset;
    PutLittle(block, info, BitmapHeaderSize, 4);
    PutLittle(block, info + 4, MarkWidth, 4);
    PutLittle(block, info + 8, 2 * MarkHeight, 4);  // colour rows and mask rows
    PutLittle(block, info + 12, 1, 2);
    PutLittle(block, info + 14, ColourBits, 2);
    // Compression (uncompressed), image size, resolutions and colour counts
    // stay zero.
}

// Bitmaps store the bottom row first; the row padding and the mask bits
// after the last pixel stay zero, and so does the colour of a transparent pixel.
constexpr void PutPixels(IcoBlock& block, MarkColour colour) {
    for (int y = 0; y < MarkHeight; ++y) {
        const std::size_t storedRow = static_cast<std::size_t>(MarkHeight - 1 - y);
        const std::size_t colourRow = ColourRowsOffset + storedRow * ColourRowBytes;
        const std::size_t maskRow = MaskRowsOffset + storedRow * MaskRowBytes;
        for (int x = 0; x < MarkWidth; ++x) {
            const std::size_t column = static_cast<std::size_t>(x);
            if (MarkRows[y][x] == '#') {
                block[colourRow + 3 * column] = colour.blue;
                block[colourRow + 3 * column + 1] = colour.green;
                block[colourRow + 3 * column + 2] = colour.red;
            } else {
                block[maskRow + column / 8] |= static_cast<std::uint8_t>(0x80u >> (column % 8));
            }
        }
    }
}

}  // namespace ico_detail

constexpr IcoBlock BuildIcoBlock(MarkColour colour) {
    IcoBlock block{};
    ico_detail::PutHeaders(block);
    ico_detail::PutPixels(block, colour);
    return block;
}

// Blocks 1, 2 and 3, one after the other in the constant data.
inline constexpr std::array<IcoBlock, 3> StoredIcoBlocks = {
    BuildIcoBlock(ImageColours[0]), BuildIcoBlock(ImageColours[1]), BuildIcoBlock(ImageColours[2])};

// Where the image data of a block's directory entry lies.
struct IcoEntry {
    std::size_t offset = 0;
    std::size_t size = 0;
};

// The first directory entry of an icon file (reserved 0, type 1). None for
// any other file, and for an entry whose data would lie outside the block.
std::optional<IcoEntry> PickIcoEntry(std::span<const std::uint8_t> block);

}  // namespace belegbote
