#include "platform/win32/IconFactoryWin32.h"

#include <windows.h>

namespace belegbote {

namespace {

constexpr DWORD IconFormatVersion = 0x00030000;

}  // namespace

IconId IconFactoryWin32::IconOfSize(std::span<std::uint8_t> imageData, std::int32_t width,
                                    std::int32_t height) {
    HICON icon = CreateIconFromResourceEx(imageData.data(), static_cast<DWORD>(imageData.size()),
                                          TRUE, IconFormatVersion, width, height, LR_DEFAULTCOLOR);
    return reinterpret_cast<IconId>(icon);
}

IconId IconFactoryWin32::IconOfDefaultSize(std::span<std::uint8_t> imageData) {
    HICON icon = CreateIconFromResource(imageData.data(), static_cast<DWORD>(imageData.size()),
                                        TRUE, IconFormatVersion);
    return reinterpret_cast<IconId>(icon);
}

void IconFactoryWin32::ReleaseIcon(IconId icon) {
    DestroyIcon(reinterpret_cast<HICON>(icon));
}

}  // namespace belegbote
