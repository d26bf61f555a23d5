#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "platform/IconFactory.h"

namespace belegbote {

// Without a desktop to show them, an icon is its image data kept in memory.
class IconFactoryPosix final : public IconFactory {
public:
    IconId IconOfSize(std::span<std::uint8_t> imageData, std::int32_t width,
                      std::int32_t height) override;
    IconId IconOfDefaultSize(std::span<std::uint8_t> imageData) override;
    void ReleaseIcon(IconId icon) override;

private:
    std::map<IconId, std::vector<std::uint8_t>> icons_;
    IconId next_ = 1;
};

}  // namespace belegbote
