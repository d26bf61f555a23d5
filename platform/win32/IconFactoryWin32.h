#pragma once
#include "platform/IconFactory.h"

namespace belegbote {

class IconFactoryWin32 final : public IconFactory {
public:
    IconId IconOfSize(std::span<std::uint8_t> imageData, std::int32_t width,
                      std::int32_t height) override;
    IconId IconOfDefaultSize(std::span<std::uint8_t> imageData) override;
    void ReleaseIcon(IconId icon) override;
};

}  // namespace belegbote
