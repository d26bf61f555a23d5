// The tray's Win32 side against the real system: icons, shell records, the
// popup menu and its owner-drawn look.
#include <gtest/gtest.h>

#ifdef _WIN32

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdint>
#include <vector>

#include "platform/win32/HostWindowWin32.h"
#include "platform/win32/IconFactoryWin32.h"
#include "platform/win32/TrayShellWin32.h"
#include "tray/MenuLook.h"
#include "tray/TrayImages.h"

namespace belegbote {
namespace {

struct IgnoredEvents : WindowEvents {
    void OnClose() override {}
    void OnCommand(std::uint32_t) override {}
    void OnTimer(std::uint32_t) override {}
    void OnTrayCallback(std::uint32_t, std::uint32_t) override {}
};

struct HostWindowFixture : ::testing::Test {
    void SetUp() override {
        window = reinterpret_cast<HWND>(host.Create("Belegbote V1.0", events));
        ASSERT_NE(window, nullptr);
        images.LoadImages();
    }
    void TearDown() override {
        images.ReleaseImages();
        host.Destroy();
    }

    IgnoredEvents events;
    HostWindowWin32 host;
    HWND window = nullptr;
    IconFactoryWin32 factory;
    TrayImages images{factory};
};

#ifndef _WIN64
TEST(TrayShellWin32, TheShellRecordIsTheFull508ByteAnsiRecord) {
    EXPECT_EQ(sizeof(NOTIFYICONDATAA), 508u);
}
#endif

TEST_F(HostWindowFixture, TheIconsAre47By37) {
    for (int number = 1; number <= 3; ++number) {
        HICON icon = reinterpret_cast<HICON>(images.ImageHandle(number));
        ASSERT_NE(icon, nullptr) << number;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        ASSERT_NE(GetObjectA(info.hbmColor, sizeof(colour), &colour), 0);
        EXPECT_EQ(colour.bmWidth, 47) << number;
        EXPECT_EQ(colour.bmHeight, 37) << number;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST_F(HostWindowFixture, TheShellTakesTheIconChangesItAndRemovesIt) {
    TrayShellWin32 shell;
    ShellIconRecord record;
    record.window = reinterpret_cast<WindowId>(window);
    record.id = 1;
    record.flags = ShellSetsMessage | ShellSetsIcon;
    record.callbackMessage = 12501;
    record.icon = images.ImageHandle(1);
    ASSERT_TRUE(shell.NotifyIcon(ShellOperation::Add, record));

    ShellIconRecord change;
    change.window = record.window;
    change.id = 1;
    change.flags = ShellSetsTip;
    change.tip = std::string(63, 'x');
    EXPECT_TRUE(shell.NotifyIcon(ShellOperation::Modify, change));
    change.flags = ShellSetsIcon;
    change.icon = images.ImageHandle(3);
    EXPECT_TRUE(shell.NotifyIcon(ShellOperation::Modify, change));
    change.flags = 0;
    EXPECT_TRUE(shell.NotifyIcon(ShellOperation::Delete, change));
}

struct MenuFixture : HostWindowFixture {
    void SetUp() override {
        HostWindowFixture::SetUp();
        menu = reinterpret_cast<HMENU>(shell.NewPopupMenu());
        ASSERT_NE(menu, nullptr);
        for (const auto& [flags, id, entry] :
             {std::tuple{MenuEntryOwnerDrawn, 3, &webPage},
              std::tuple{MenuEntryOwnerDrawn | MenuEntrySeparator, -1, &separator},
              std::tuple{MenuEntryOwnerDrawn, 2, &exit}}) {
            ASSERT_TRUE(shell.AppendMenuEntry(reinterpret_cast<MenuId>(menu), flags, id, entry));
        }
    }
    void TearDown() override {
        DestroyMenu(menu);
        HostWindowFixture::TearDown();
    }

    TrayShellWin32 shell;
    HMENU menu = nullptr;
    MenuEntry webPage{"Velmora-Webseite", 0, MenuLookGradient};
    MenuEntry separator{"", 0, MenuLookGradient};
    MenuEntry exit{"Belegbote V1.0 beenden", 0, MenuLookGradient};
};

TEST_F(MenuFixture, EntriesAreOwnerDrawnAndCarryTheirRecords) {
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    const MenuEntry* records[] = {&webPage, &separator, &exit};
    for (UINT position = 0; position < 3; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_ID;
        ASSERT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info));
        EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(records[position]));
        EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u);
        EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, position == 1);
    }
}

TEST_F(MenuFixture, ATypedLetterExecutesTheFirstEntryItBegins) {
    const auto typed = [&](char c) {
        return SendMessageA(window, WM_MENUCHAR, MAKEWPARAM(c, MF_POPUP),
                            reinterpret_cast<LPARAM>(menu));
    };
    EXPECT_EQ(typed('b'), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(typed('V'), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(HIWORD(typed('q')), MNC_IGNORE);
}

TEST_F(MenuFixture, EntriesAreMeasuredAroundTheMenuFontsText) {
    MEASUREITEMSTRUCT entry{ODT_MENU, 0, 3, 0, 0, reinterpret_cast<ULONG_PTR>(&webPage)};
    MEASUREITEMSTRUCT line{ODT_MENU, 0, 0xFFFF, 0, 0, reinterpret_cast<ULONG_PTR>(&separator)};
    SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&entry));
    SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&line));
    // The menu font is some 8 to 30 pixels high; the text adds 6 and 28.
    EXPECT_GE(entry.itemHeight, 8u + 6u);
    EXPECT_LE(entry.itemHeight, 30u + 6u);
    EXPECT_GT(entry.itemWidth, 28u + 16u * 3u) << "16 characters of text";
    EXPECT_EQ(line.itemHeight, 9u);
}

// A 32-bit top-down bitmap to paint entries into and read back.
class Canvas {
public:
    Canvas(int width, int height) : width_(width) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t pixel = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
        return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }
    int Count(RECT area, COLORREF colour) const {
        int found = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                found += At(x, y) == colour ? 1 : 0;
            }
        }
        return found;
    }

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    void* bits_ = nullptr;
};

COLORREF Ref(MenuColour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

MenuColour Highlight() {
    const COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

constexpr int Width = 200, Height = 24;

void Paint(HWND window, const Canvas& canvas, MenuEntry& entry, RECT area, bool hovered) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemState = hovered ? ODS_SELECTED : 0;
    item.hDC = canvas.Dc();
    item.rcItem = area;
    item.itemData = reinterpret_cast<ULONG_PTR>(&entry);
    SendMessageA(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
}

TEST_F(MenuFixture, AnEntryShowsStripImageAndTextInTheMenuColours) {
    Canvas canvas(Width, Height);
    webPage.image = images.ImageHandle(1);
    Paint(window, canvas, webPage, {0, 0, Width, Height}, false);

    EXPECT_EQ(canvas.At(0, 12), RGB(255, 255, 255)) << "the strip starts white";
    EXPECT_EQ(canvas.At(19, 1), Ref(StripColour(19, Highlight())));
    EXPECT_EQ(canvas.At(Width - 1, 1), GetSysColor(COLOR_MENU));
    // The red mark, scaled to 16 x 16 inside the strip.
    EXPECT_GT(canvas.Count({2, 4, 18, 20}, RGB(255, 0, 0)), 40);
    EXPECT_EQ(canvas.Count({0, 0, 2, Height}, RGB(255, 0, 0)), 0);
    EXPECT_EQ(canvas.Count({18, 0, Width, Height}, RGB(255, 0, 0)), 0);
    // The text starts at 28 and is written in the menu-text colour.
    EXPECT_EQ(canvas.Count({20, 0, 28, Height}, GetSysColor(COLOR_MENUTEXT)), 0);
    EXPECT_GT(canvas.Count({28, 0, Width, Height}, GetSysColor(COLOR_MENUTEXT)), 20);
}

TEST_F(MenuFixture, TheEntryUnderThePointerIsFramedAndFilledHalfwayToWhite) {
    Canvas canvas(Width, Height);
    exit.image = images.ImageHandle(1);
    Paint(window, canvas, exit, {0, 0, Width, Height}, true);

    const COLORREF black = RGB(0, 0, 0), hover = Ref(HoverColour(Highlight()));
    for (auto [x, y] : {std::pair{0, 0},
                        {Width - 1, 0},
                        {0, Height - 1},
                        {Width - 1, Height - 1},
                        {100, 0},
                        {0, 12}}) {
        EXPECT_EQ(canvas.At(x, y), black) << x << "," << y;
    }
    EXPECT_EQ(canvas.At(1, 1), hover);
    EXPECT_EQ(canvas.At(Width - 2, Height - 2), hover);
    EXPECT_GT(canvas.Count({28, 1, Width - 1, Height - 1}, GetSysColor(COLOR_HIGHLIGHTTEXT)), 20);
    EXPECT_GT(canvas.Count({2, 4, 18, 20}, RGB(255, 0, 0)), 40);
}

TEST_F(MenuFixture, TheSeparatorIsAShadowLineBesideTheStrip) {
    Canvas canvas(Width, 9);
    Paint(window, canvas, separator, {0, 0, Width, 9}, false);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(canvas.At(0, 4), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Count({28, 4, Width, 5}, shadow), Width - 28);
    EXPECT_EQ(canvas.At(100, 3), GetSysColor(COLOR_MENU));
    EXPECT_EQ(canvas.At(100, 5), GetSysColor(COLOR_MENU));
}

}  // namespace
}  // namespace belegbote

#endif  // _WIN32: elsewhere there is no notification area to test
