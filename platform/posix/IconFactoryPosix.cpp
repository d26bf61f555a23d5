#include "platform/posix/IconFactoryPosix.h"

namespace belegbote {

IconId IconFactoryPosix::IconOfSize(std::span<std::uint8_t> imageData, std::int32_t width,
                                    std::int32_t height) {
    if (imageData.empty() || width <= 0 || height <= 0) {
        return 0;
    }
    return IconOfDefaultSize(imageData);
}

IconId IconFactoryPosix::IconOfDefaultSize(std::span<std::uint8_t> imageData) {
    if (imageData.empty()) {
        return 0;
    }
    const IconId icon = next_++;
    icons_.emplace(icon, std::vector<std::uint8_t>(imageData.begin(), imageData.end()));
    return icon;
}

void IconFactoryPosix::ReleaseIcon(IconId icon) {
    icons_.erase(icon);
}

}  // namespace belegbote
