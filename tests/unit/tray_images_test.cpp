#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "fakes/FakeIconFactory.h"
#include "tray/IcoBlock.h"
#include "tray/TrayImages.h"

namespace belegbote {
namespace {

using testing::FakeIconFactory;

std::uint32_t Field(const IcoBlock& block, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | block[offset + static_cast<std::size_t>(i)];
    }
    return value;
}

// Offsets as a reader of icon files finds them; the pixel rows follow at 62.
constexpr std::size_t ColourStart = 62, ColourStride = 144, MaskStart = 5390, MaskStride = 8;

bool MaskBit(const IcoBlock& block, int storedRow, int x) {
    const std::uint8_t byte = block[MaskStart + storedRow * MaskStride + x / 8];
    return (byte >> (7 - x % 8) & 1) != 0;
}

TEST(IcoBlock, EveryBlockCarriesTheHeaderValuesOfA47By37TrueColourIcon) {
    struct Expected {
        std::size_t offset;
        int size;
        std::uint32_t value;
    };
    const Expected fields[] = {
        {0, 2, 0},   {2, 2, 1},   {4, 2, 1},   {6, 1, 47},    {7, 1, 37},  {8, 1, 0},
        {9, 1, 0},   {10, 2, 1},  {12, 2, 24}, {14, 4, 5664}, {18, 4, 22}, {22, 4, 40},
        {26, 4, 47}, {30, 4, 74}, {34, 2, 1},  {36, 2, 24},   {38, 4, 0},  {42, 4, 0},
        {46, 4, 0},  {50, 4, 0},  {54, 4, 0},  {58, 4, 0},
    };
    ASSERT_EQ(StoredIcoBlocks.size(), 3u);
    for (const IcoBlock& block : StoredIcoBlocks) {
        EXPECT_EQ(block.size(), 5686u);
        for (const Expected& field : fields) {
            EXPECT_EQ(Field(block, field.offset, field.size), field.value)
                << "offset " << field.offset;
        }
    }
}

TEST(IcoBlock, OpaquePixelsHaveTheImageColourAndTransparentOnesAreBlack) {
    const std::uint8_t colours[3][3] = {{255, 0, 0}, {0, 147, 0}, {0, 0, 255}};
    for (int image = 0; image < 3; ++image) {
        const IcoBlock& block = StoredIcoBlocks[static_cast<std::size_t>(image)];
        int opaque = 0;
        for (int storedRow = 0; storedRow < 37; ++storedRow) {
            const int markRow = 36 - storedRow;  // bottom row first
            for (int x = 0; x < 47; ++x) {
                const bool transparent = MarkRows[markRow][x] == '.';
                EXPECT_EQ(MaskBit(block, storedRow, x), transparent) << x << "," << markRow;
                const std::size_t pixel = ColourStart + storedRow * ColourStride + 3 * x;
                const std::uint8_t red = transparent ? 0 : colours[image][0];
                const std::uint8_t green = transparent ? 0 : colours[image][1];
                const std::uint8_t blue = transparent ? 0 : colours[image][2];
                EXPECT_EQ(block[pixel], blue);
                EXPECT_EQ(block[pixel + 1], green);
                EXPECT_EQ(block[pixel + 2], red);
                opaque += transparent ? 0 : 1;
            }
            for (std::size_t pad = 141; pad < ColourStride; ++pad) {
                EXPECT_EQ(block[ColourStart + storedRow * ColourStride + pad], 0);
            }
            for (int x = 47; x < 64; ++x) {
                EXPECT_FALSE(MaskBit(block, storedRow, x)) << "bit " << x << " after the row";
            }
        }
        // A mark, not an empty or a filled frame.
        EXPECT_GT(opaque, 47 * 37 / 4);
        EXPECT_LT(opaque, 47 * 37);
    }
}

TEST(IcoBlock, TheThreeImagesShareOneMask) {
    for (const IcoBlock& block : StoredIcoBlocks) {
        EXPECT_TRUE(std::equal(block.begin() + MaskStart, block.end(),
                               StoredIcoBlocks[0].begin() + MaskStart));
    }
}

TEST(IcoBlock, TheProgramIconFileIsBlockOne) {
    std::ifstream file(BELEGBOTE_ICO_PATH, std::ios::binary);
    ASSERT_TRUE(file) << BELEGBOTE_ICO_PATH;
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    const std::vector<std::uint8_t> expected(StoredIcoBlocks[0].begin(), StoredIcoBlocks[0].end());
    EXPECT_EQ(bytes, expected) << "regenerate it with the write_ico helper";
}

IcoBlock WithField(IcoBlock block, std::size_t offset, std::uint8_t value) {
    block[offset] = value;
    return block;
}

TEST(PickIcoEntry, TakesTheEntryOfAnIconFileAndNothingElse) {
    const auto picked = PickIcoEntry(StoredIcoBlocks[1]);
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->offset, 22u);
    EXPECT_EQ(picked->size, 5664u);

    struct Refused {
        const char* what;
        IcoBlock block;
    };
    const Refused refused[] = {
        {"cursor file (type 2)", WithField(StoredIcoBlocks[0], 2, 2)},
        {"reserved field set", WithField(StoredIcoBlocks[0], 0, 1)},
        {"no entries", WithField(StoredIcoBlocks[0], 4, 0)},
        {"data beyond the end", WithField(StoredIcoBlocks[0], 15, 0x17)},
        {"offset beyond the end", WithField(StoredIcoBlocks[0], 21, 0x01)},
    };
    for (const Refused& file : refused) {
        EXPECT_FALSE(PickIcoEntry(file.block).has_value()) << file.what;
    }
    EXPECT_FALSE(PickIcoEntry(std::span(StoredIcoBlocks[0]).first(21)).has_value());
}

TEST(TrayImages, LoadsEachBlockAtItsOwnSizeUnderItsNumber) {
    FakeIconFactory factory;
    TrayImages images(factory);
    EXPECT_EQ(images.ImageHandle(1), 0u) << "nothing before loading";
    images.LoadImages();

    ASSERT_EQ(factory.requests.size(), 3u);
    for (const auto& request : factory.requests) {
        EXPECT_TRUE(request.sized);
        EXPECT_EQ(request.width, 47);
        EXPECT_EQ(request.height, 37);
        EXPECT_EQ(request.dataSize, 5664u);
        EXPECT_EQ(request.firstDataWord, 40u) << "the image data begins with its bitmap header";
    }
    EXPECT_EQ(images.ImageHandle(1), 1001u);
    EXPECT_EQ(images.ImageHandle(2), 1002u);
    EXPECT_EQ(images.ImageHandle(3), 1003u);
    for (int outside : {0, 4, -1}) {
        EXPECT_EQ(images.ImageHandle(outside), 0u) << outside;
    }
}

TEST(TrayImages, FallsBackToTheDefaultSizeExceptFor16BitImages) {
    FakeIconFactory factory;
    factory.sizedFails = true;
    TrayImages images(factory);
    EXPECT_TRUE(images.LoadBlock(1, StoredIcoBlocks[0]));
    ASSERT_EQ(factory.requests.size(), 2u);
    EXPECT_FALSE(factory.requests[1].sized);
    EXPECT_EQ(images.ImageHandle(1), 1001u);

    factory.requests.clear();
    const IcoBlock sixteenBits = WithField(StoredIcoBlocks[1], 22 + 14, 16);
    EXPECT_FALSE(images.LoadBlock(2, sixteenBits));
    EXPECT_EQ(factory.requests.size(), 1u);
    EXPECT_EQ(images.ImageHandle(2), 0u);

    factory.defaultFails = true;
    EXPECT_FALSE(images.LoadBlock(3, StoredIcoBlocks[2]));
    EXPECT_EQ(images.ImageHandle(3), 0u);
}

TEST(TrayImages, ACursorFileGivesNoImageAndAsksForNoIcon) {
    FakeIconFactory factory;
    TrayImages images(factory);
    EXPECT_FALSE(images.LoadBlock(2, WithField(StoredIcoBlocks[1], 2, 2)));
    EXPECT_TRUE(factory.requests.empty());
    EXPECT_EQ(images.ImageHandle(2), 0u);
}

TEST(TrayImages, ReleaseDestroysEveryIconOnce) {
    FakeIconFactory factory;
    factory.sizedFails = true;
    factory.defaultFails = true;
    TrayImages images(factory);
    images.LoadImages();  // nothing loads
    factory.sizedFails = factory.defaultFails = false;
    images.LoadBlock(1, StoredIcoBlocks[0]);
    images.LoadBlock(3, StoredIcoBlocks[2]);

    images.ReleaseImages();
    EXPECT_EQ(factory.released, (std::vector<IconId>{1001, 1002}));
    EXPECT_TRUE(factory.alive.empty());
    EXPECT_EQ(images.ImageHandle(1), 0u);
    images.ReleaseImages();
    EXPECT_EQ(factory.released.size(), 2u);
}

}  // namespace
}  // namespace belegbote
