#pragma once
// The icon handles of the three stored images, by image number 1 to 3.
#include <array>
#include <cstdint>
#include <span>

#include "platform/IconFactory.h"

namespace belegbote {

class TrayImages {
public:
    explicit TrayImages(IconFactory& factory) : factory_(factory) {}

    // Blocks 1, 2, 3 become images 1, 2, 3; a block that fails leaves its
    // number empty.
    void LoadImages();
    // Loads one ICO file as image `number`; false when it gave no icon.
    bool LoadBlock(int number, std::span<const std::uint8_t> block);
    // Null for an empty number and for one outside 1 to 3.
    IconId ImageHandle(int number) const;
    void ReleaseImages();

private:
    IconFactory& factory_;
    std::array<IconId, 3> icons_{};
};

}  // namespace belegbote
