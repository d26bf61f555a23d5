#pragma once
// Icons made from the image data of an ICO directory entry.
#include <cstdint>
#include <span>

namespace belegbote {

using IconId = std::uintptr_t;  // 0 = no icon

class IconFactory {
public:
    virtual ~IconFactory() = default;

    // `imageData`: bitmap info header, colour rows and mask rows of one entry.
    // Makes an icon of the desired size (format version 3, default colours).
    // 0 on failure.
    virtual IconId IconOfSize(std::span<std::uint8_t> imageData, std::int32_t width,
                              std::int32_t height) = 0;
    // The same with the system's own choice of size; the fallback when the
    // sized call fails. 0 on failure.
    virtual IconId IconOfDefaultSize(std::span<std::uint8_t> imageData) = 0;
    virtual void ReleaseIcon(IconId icon) = 0;
};

}  // namespace belegbote
