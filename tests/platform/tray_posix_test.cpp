// Without a notification area the program still starts its tray: the shell
// refuses the icon, so nothing is registered and image changes fail.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <cstdint>
#include <vector>

#include "platform/posix/IconFactoryPosix.h"
#include "platform/posix/TrayShellPosix.h"
#include "tray/TrayHost.h"
#include "tray/TrayImages.h"

namespace belegbote {
namespace {

TEST(TrayPosix, TheIconIsNeverRegisteredSoImageChangesFail) {
    IconFactoryPosix factory;
    TrayShellPosix shell;
    TrayImages images(factory);
    images.LoadImages();
    ASSERT_NE(images.ImageHandle(1), 0u);
    TrayHost tray(shell, images);

    tray.AddIcon(42, images.ImageHandle(1));
    EXPECT_FALSE(tray.IsRegistered());
    EXPECT_FALSE(tray.SetToolTip("Belegbote V1.0"));
    EXPECT_FALSE(tray.SetImage(images.ImageHandle(2)));
    tray.BuildMenu("Belegbote V1.0", images.ImageHandle(1));
    tray.ShowMenu(42);
    tray.RemoveIcon();
    images.ReleaseImages();
    EXPECT_EQ(images.ImageHandle(1), 0u);
}

TEST(TrayPosix, IconsAreMadeFromImageDataAndKeptApart) {
    IconFactoryPosix factory;
    std::vector<std::uint8_t> data(40, 1);
    const IconId first = factory.IconOfSize(data, 47, 37);
    const IconId second = factory.IconOfDefaultSize(data);
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(factory.IconOfSize({}, 47, 37), 0u);
    EXPECT_EQ(factory.IconOfSize(data, 0, 37), 0u);
    factory.ReleaseIcon(first);
    factory.ReleaseIcon(second);
}

TEST(TrayPosix, TheMenuTakesEntriesOnlyForAMenuItMade) {
    TrayShellPosix shell;
    const MenuId menu = shell.NewPopupMenu();
    const MenuEntry entry{"Velmora-Webseite", 0, MenuLookGradient};
    EXPECT_NE(menu, 0u);
    EXPECT_TRUE(shell.AppendMenuEntry(menu, MenuEntryOwnerDrawn, 3, &entry));
    EXPECT_FALSE(shell.AppendMenuEntry(menu + 1, MenuEntryOwnerDrawn, 3, &entry));
    EXPECT_FALSE(shell.NotifyIcon(ShellOperation::Add, ShellIconRecord{}));
}

}  // namespace
}  // namespace belegbote

#endif  // !_WIN32
