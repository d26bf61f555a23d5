#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "fakes/FakeIconFactory.h"
#include "fakes/FakeTrayShell.h"
#include "tray/MenuLook.h"
#include "tray/TrayHost.h"

namespace belegbote {
namespace {

using testing::FakeIconFactory;
using testing::FakeTrayShell;

constexpr WindowId Window = 42;
constexpr IconId Red = 1001, Green = 1002, Blue = 1003;

struct TrayHostTest : ::testing::Test {
    TrayHostTest() { images.LoadImages(); }

    const std::vector<FakeTrayShell::Notification>& Sent() const { return shell.notifications; }

    FakeTrayShell shell;
    FakeIconFactory factory;
    TrayImages images{factory};
    TrayHost tray{shell, images};
};

TEST_F(TrayHostTest, EachOperationSendsItsOwnRecordInOrder) {
    tray.AddIcon(Window, Red);
    EXPECT_TRUE(tray.SetToolTip("Belegbote V1.0"));
    tray.ShowTrayImage(ImageWorkGreen);
    EXPECT_TRUE(tray.SetImage(Blue));
    tray.RemoveIcon();

    ASSERT_EQ(Sent().size(), 5u);
    const ShellOperation operations[] = {ShellOperation::Add, ShellOperation::Modify,
                                         ShellOperation::Modify, ShellOperation::Modify,
                                         ShellOperation::Delete};
    const std::uint32_t flags[] = {3, 4, 2, 2, 0};
    const IconId icons[] = {Red, 0, Green, Blue, 0};
    const char* tips[] = {"", "Belegbote V1.0", "", "", ""};
    for (std::size_t i = 0; i < Sent().size(); ++i) {
        const ShellIconRecord& record = Sent()[i].record;
        EXPECT_EQ(Sent()[i].operation, operations[i]) << i;
        EXPECT_EQ(record.window, Window) << i;
        EXPECT_EQ(record.id, 1u) << i;
        EXPECT_EQ(record.flags, flags[i]) << i;
        EXPECT_EQ(record.callbackMessage, i == 0 ? 12501u : 0u) << i;
        EXPECT_EQ(record.icon, icons[i]) << i;
        EXPECT_EQ(record.tip, tips[i]) << i;
    }
    EXPECT_FALSE(tray.IsRegistered());
}

TEST_F(TrayHostTest, NothingReachesTheShellWhileTheIconIsNotRegistered) {
    shell.acceptAdd = false;
    tray.AddIcon(Window, Red);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_FALSE(tray.IsRegistered());

    EXPECT_FALSE(tray.SetToolTip("Belegbote V1.0"));
    EXPECT_FALSE(tray.SetImage(Green));
    tray.ShowTrayImage(ImageWorkBlue);
    tray.RemoveIcon();
    EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(TrayHostTest, AMissingWindowOrImageRegistersNothing) {
    tray.AddIcon(0, Red);
    tray.AddIcon(Window, 0);
    EXPECT_TRUE(Sent().empty());
    EXPECT_FALSE(tray.IsRegistered());
}

TEST_F(TrayHostTest, NullTextsAndImagesFailWithoutACall) {
    tray.AddIcon(Window, Red);
    EXPECT_FALSE(tray.SetToolTip(nullptr));
    EXPECT_FALSE(tray.SetImage(0));
    tray.ShowTrayImage(0);
    tray.ShowTrayImage(4);
    EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(TrayHostTest, ARefusedChangeReportsFailure) {
    tray.AddIcon(Window, Red);
    shell.acceptOthers = false;
    EXPECT_FALSE(tray.SetImage(Green));
    EXPECT_FALSE(tray.SetToolTip("x"));
    EXPECT_TRUE(tray.IsRegistered());
}

TEST_F(TrayHostTest, TheTooltipKeepsItsFirst63Characters) {
    tray.AddIcon(Window, Red);
    const std::string seventy = std::string(60, 'a') + "bcdefghijk";
    ASSERT_EQ(seventy.size(), 70u);
    tray.SetToolTip(seventy.c_str());
    EXPECT_EQ(Sent().back().record.tip, std::string(60, 'a') + "bcd");
}

TEST_F(TrayHostTest, RemovalUsesTheRecordedWindowAndHappensOnce) {
    tray.AddIcon(Window, Red);
    // The window is destroyed before the icon is removed; the record needs
    // only the handle kept at registration.
    tray.RemoveIcon();
    tray.RemoveIcon();
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1].operation, ShellOperation::Delete);
    EXPECT_EQ(Sent()[1].record.window, Window);
    EXPECT_FALSE(tray.SetImage(Green));
    EXPECT_EQ(Sent().size(), 2u);
}

TEST_F(TrayHostTest, TheMenuHoldsTheWebPageASeparatorAndTheExitEntry) {
    tray.BuildMenu("Belegbote V1.0", Red);
    struct Expected {
        std::uint32_t flags;
        std::int32_t commandId;
        const char* text;
        IconId image;
    };
    const Expected entries[] = {
        {0x0100, 3, "Velmora-Webseite", Red},
        {0x0900, -1, "", 0},
        {0x0100, 2, "Belegbote V1.0 beenden", Red},
    };
    ASSERT_EQ(shell.appended.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& appended = shell.appended[i];
        EXPECT_EQ(appended.menu, shell.menuToCreate) << i;
        EXPECT_EQ(appended.flags, entries[i].flags) << i;
        EXPECT_EQ(appended.commandId, entries[i].commandId) << i;
        ASSERT_NE(appended.address, nullptr);
        EXPECT_EQ(appended.entry.text, entries[i].text) << i;
        EXPECT_EQ(appended.entry.image, entries[i].image) << i;
        EXPECT_EQ(appended.entry.lookFlags, 1u) << i;
        EXPECT_EQ(appended.address->text, entries[i].text) << "kept while the menu lives";
    }
    EXPECT_TRUE(Sent().empty());
}

TEST_F(TrayHostTest, NoEntriesWithoutAMenu) {
    shell.menuToCreate = 0;
    tray.BuildMenu("Belegbote V1.0", Red);
    EXPECT_TRUE(shell.appended.empty());
}

TEST_F(TrayHostTest, TheMenuOpensOnePixelUpAndLeftOfThePointer) {
    tray.BuildMenu("Belegbote V1.0", Red);
    shell.calls.clear();
    shell.cursor = {640, 700};
    tray.ShowMenu(Window);
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{"CursorPosition", "BringToForeground 42", "TrackMenu"}));
    ASSERT_EQ(shell.tracked.size(), 1u);
    const auto& tracked = shell.tracked[0];
    EXPECT_EQ(tracked.menu, shell.menuToCreate);
    EXPECT_EQ(tracked.flags, 0x0002u) << "TPM_RIGHTBUTTON alone: aligned by the top-left corner";
    EXPECT_EQ(tracked.x, 639);
    EXPECT_EQ(tracked.y, 699);
    EXPECT_EQ(tracked.owner, Window);
}

TEST(MenuKeyboard, ATypedCharacterChoosesTheFirstMatchingEntry) {
    const std::string_view menu[] = {"Velmora-Webseite", "", "Belegbote V1.0 beenden"};
    const std::string_view marked[] = {"Open", "E&xit", "e&Xtra", "&open"};
    struct Case {
        std::span<const std::string_view> texts;
        char typed;
        std::optional<std::size_t> chosen;
    };
    const Case cases[] = {
        {menu, 'v', 0},
        {menu, 'V', 0},
        {menu, 'b', 2},
        {menu, 'B', 2},
        {menu, 'e', std::nullopt},  // later letters do not count
        {menu, ' ', std::nullopt},
        {menu, '\0', std::nullopt},
        {marked, 'x', 1},
        {marked, 'X', 1},
        {marked, 'o', 0},
        {marked, 'e', 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EntryForTypedChar(c.texts, c.typed), c.chosen) << "typed '" << c.typed << "'";
    }
    // Only A to Z fold: the two forms of an umlaut are different characters.
    const std::string_view umlaut[] = {
        "\xDC"
        "bersicht"};
    EXPECT_EQ(EntryForTypedChar(umlaut, '\xFC'), std::nullopt);
    EXPECT_EQ(EntryForTypedChar(umlaut, '\xDC'), 0u);
}

TEST(MenuLook, EntriesAreSizedAroundTheirText) {
    const MenuEntry entry{"Velmora-Webseite", Red, MenuLookGradient};
    const MenuSize size = MeasureMenuEntry(entry, {97, 13});
    EXPECT_EQ(size.width, 97 + 28);
    EXPECT_EQ(size.height, 13 + 6);
    const MenuEntry separator{"", 0, MenuLookGradient};
    EXPECT_EQ(MeasureMenuEntry(separator, {0, 13}).height, 9);
}

TEST(MenuLook, PartsOfAnEntryLieWhereTheLookPutsThem) {
    const MenuEntryLayout entry = LayOutMenuEntry({3, 20, 153, 39});
    EXPECT_EQ(entry.strip, (MenuRect{3, 20, 23, 39}));
    EXPECT_EQ(entry.icon, (MenuRect{5, 21, 21, 37})) << "16 x 16, centred in the strip";
    EXPECT_EQ(entry.text, (MenuRect{31, 20, 153, 39}));
    const MenuEntryLayout separator = LayOutMenuEntry({3, 39, 153, 48});
    EXPECT_EQ(separator.separatorLine, (MenuRect{31, 43, 153, 44}));
}

TEST(MenuLook, HoverAndStripColoursLieBetweenHighlightAndWhite) {
    const MenuColour highlight{0, 120, 215};
    EXPECT_EQ(HoverColour(highlight), (MenuColour{127, 187, 235}));
    EXPECT_EQ(HoverColour({255, 255, 255}), (MenuColour{255, 255, 255}));
    EXPECT_EQ(StripColour(0, highlight), (MenuColour{255, 255, 255}));
    MenuColour previous = StripColour(0, highlight);
    for (std::int32_t column = 1; column < 20; ++column) {
        const MenuColour next = StripColour(column, highlight);
        EXPECT_LT(next.red, previous.red) << column;
        EXPECT_LE(next.blue, previous.blue) << column;
        previous = next;
    }
    EXPECT_LT(previous.red, 20) << "the last column is close to the highlight colour";
}

}  // namespace
}  // namespace belegbote
