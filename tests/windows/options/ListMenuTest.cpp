// The list menu as the user sees it: a real right click on the keyboard list
// opens it, each item shows its picture beside its caption, and a row's tip
// shows all its columns.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <thread>

#include "DialogDriving.h"
#include "ModalDriver.h"
#include "MouseInput.h"
#include "OptionsHarness.h"
#include "RunAtDpi.h"
#include "options/ListGesturesWin32.h"
#include "ui/GdiWin32.h"

namespace pilotune::testing {
namespace {

constexpr char kDpiVariable[] = "PILOTUNE_LIST_MENU_DPI";

// True when the item's row holds a coloured pixel: the menu's own texts,
// lines and background are greys, its pictures are not.
bool PictureDrawn(HMENU menu, int position) {
    RECT item{};
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item)) return false;
    HDC screen = GetDC(nullptr);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    bool drawn = false;
    for (int y = item.top + 1; y < item.bottom - 1 && !drawn; ++y)
        for (int x = item.left + 1; x < item.right - 1 && !drawn; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            drawn = c != CLR_INVALID && c != highlight &&
                    !(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c));
        }
    ReleaseDC(nullptr, screen);
    return drawn;
}

TEST(ListMenuTest, ARightClickOpensTheMenuWithAPictureOnEveryItem) {
    if (std::getenv(kDpiVariable)) SetProcessDPIAware();
    OptionsHarness h;
    h.Start();
    h.option.Bindings = {{true, 4, "Touche F1", ""}, {true, 5, "Touche F2", ""}};
    h.Open();
    ASSERT_TRUE(h.Loop([&] { return h.Form() && IsWindowVisible(h.Form()); }));
    h.Click(kOptPageButton + kPageClavier);
    h.Click(kOptClaActiver); // the list is off with the shortcuts
    HWND list = h.Item(kOptClaList);
    MakeForeground(h.Form());

    // The row's tip: the action and its key, one blank between.
    NMLVGETINFOTIPW tip{};
    wchar_t text[256] = {};
    tip.hdr = {list, static_cast<UINT_PTR>(kOptClaList), LVN_GETINFOTIPW};
    tip.iItem = 1;
    tip.pszText = text;
    tip.cchTextMax = 256;
    SendMessageW(GetParent(list), WM_NOTIFY, kOptClaList, reinterpret_cast<LPARAM>(&tip));
    EXPECT_EQ(Narrow(text), h.Cell(kOptClaList, 1, 0) + " Touche F2");

    std::vector<std::string> missing;
    int items = 0;
    ModalDriver reader(L"#32768", [&](HWND menuWindow) {
        auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        items = menu ? GetMenuItemCount(menu) : 0;
        for (int k = 0; k < items; ++k) {
            wchar_t caption[64] = {};
            GetMenuStringW(menu, static_cast<UINT>(k), caption, 64, MF_BYPOSITION);
            if (!caption[0]) continue; // a separator
            if (!WaitFor([&] { return PictureDrawn(menu, k); }, 2000))
                missing.push_back(Narrow(caption));
        }
        SaveScreenshot(menuWindow,
                       ScreenshotPath("options-list-menu-" + std::to_string(ScreenDpi()) + ".bmp"));
        PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    RECT r{};
    GetClientRect(list, &r);
    // A person's right click, while this thread runs the program's loop.
    std::thread hand([&] {
        for (DWORD buttons : {0UL, DWORD(MOUSEEVENTF_RIGHTDOWN), DWORD(MOUSEEVENTF_RIGHTUP)}) {
            MouseAt(list, r.right / 2, r.bottom - 10, buttons);
            Sleep(100);
        }
    });
    h.Loop([&] { return reader.found && items > 0; });
    hand.join();
    reader.Join();
    h.Settle();
    EXPECT_EQ(items, 7); // four, a separator, up and down
    EXPECT_TRUE(missing.empty()) << "without a picture: " << missing.front();
}

// The same at 144 DPI, in a second run of this program.
TEST(ListMenuTest, AlsoAt144Dpi) {
    if (std::getenv(kDpiVariable)) GTEST_SKIP() << "the run at 144 DPI itself";
    LogPixels setting(144);
    EXPECT_EQ(RunSelfAtDpi(144, L"ListMenuTest.ARight*", kDpiVariable), 0u);
}

} // namespace
} // namespace pilotune::testing
