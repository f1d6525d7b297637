// The notification-area icon under Wine: the real shell calls (with a tap that
// notes them), the callback message as the shell sends it.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Waiting.h"
#include "components/PiconeBarreTacheWin32.h"
#include "base/EncodingWin32.h"
#include "ui/WindowWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

struct Call {
    DWORD action;
    NOTIFYICONDATAW data;
    BOOL result;
    COLORREF colour; // of the icon handed over, read at the time of the call
};

// A stand-in for the bar: a visible topmost window that closes for real and,
// as the program's, frees its icon then.
struct Bar final : Window {
    Bar() {
        Create(L"PilotuneTrayTestBar", WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, L"Barre", 100, 100,
               300, 30);
    }
    std::function<void()> onDestroy;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_DESTROY && onDestroy) onDestroy();
        return Window::HandleMessage(msg, wParam, lParam);
    }
};

// Is the icon known to the notification area now? (Modifying works only then.)
bool InTray(HWND handleWindow) {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof d;
    d.hWnd = handleWindow;
    d.uID = 1;
    return Shell_NotifyIconW(NIM_MODIFY, &d) != FALSE;
}

long Count(const std::vector<Call>& calls, DWORD action) {
    return std::ranges::count(calls, action, &Call::action);
}

// The colour at the centre of an icon, as 0xRRGGBB.
COLORREF IconColour(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0xFFFFFFFF;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, 16, 1, 32, BI_RGB};
    std::vector<DWORD> px(16 * 16);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmColor, 0, 16, px.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return px[8 * 16 + 8] & 0xFFFFFF;
}

// Three solid 16x16 images: red, green, blue.
HIMAGELIST ThreeColours() {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
    HDC screen = GetDC(nullptr);
    for (COLORREF c : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}) {
        HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, bmp);
        HBRUSH brush = CreateSolidBrush(c);
        RECT r{0, 0, 16, 16};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        SelectObject(dc, old);
        DeleteDC(dc);
        ImageList_AddMasked(list, bmp, RGB(1, 2, 3));
        DeleteObject(bmp);
    }
    ReleaseDC(nullptr, screen);
    return list;
}

struct TrayTest : ::testing::Test {
    void SetUp() override { Pump(20); }
    void Mouse(unsigned msg) { SendMessageW(tray->HandleWindow(), kMessageIcone, 1, msg); }

    Bar bar;
    std::vector<Call> calls;
    std::unique_ptr<TPiconeBarreTache> tray =
        std::make_unique<TPiconeBarreTache>(bar.Handle(), [this](DWORD a, NOTIFYICONDATAW* d) {
            const BOOL r = Shell_NotifyIconW(a, d);
            calls.push_back({a, *d, r, a == NIM_DELETE ? 0 : IconColour(d->hIcon)});
            return r;
        });
};

} // namespace

TEST_F(TrayTest, TheIconIsAddedOnceWhenOnRemovedWhenOffAndBackAfterTheShellRestarts) {
    tray->Loaded();
    EXPECT_TRUE(calls.empty());
    tray->SetPetiteIconeVisible(true);
    tray->SetPetiteIconeVisible(true);
    ASSERT_EQ(Count(calls, NIM_ADD), 1);
    EXPECT_TRUE(calls[0].result) << "the notification area refused the icon";
    EXPECT_EQ(calls[0].data.uCallbackMessage, 1124u);
    EXPECT_EQ(calls[0].data.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_NE(calls[0].data.hIcon, nullptr);
    EXPECT_TRUE(InTray(tray->HandleWindow()));

    tray->SetPetiteIconeVisible(false);
    EXPECT_EQ(Count(calls, NIM_DELETE), 1);
    EXPECT_FALSE(InTray(tray->HandleWindow()));
    tray->SetPetiteIconeVisible(true);
    EXPECT_EQ(Count(calls, NIM_ADD), 2);
    EXPECT_TRUE(InTray(tray->HandleWindow()));

    // The shell loses every icon and then announces itself: the icon comes
    // back with its picture and its tip (at most 63 characters).
    tray->SetHint(std::string(37, 'a') + std::string(63, 'b'));
    ASSERT_EQ(calls.back().action, DWORD(NIM_MODIFY));
    NOTIFYICONDATAW lost = calls.back().data;
    Shell_NotifyIconW(NIM_DELETE, &lost);
    ASSERT_FALSE(InTray(tray->HandleWindow()));
    calls.clear();
    DWORD_PTR ignored;
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, 2000, &ignored);
    PumpUntil([&] { return Count(calls, NIM_ADD) >= 1; });
    ASSERT_EQ(Count(calls, NIM_ADD), 1);
    EXPECT_EQ(std::wstring(calls[0].data.szTip), std::wstring(37, L'a') + std::wstring(26, L'b'));
    EXPECT_EQ(calls[0].data.hIcon, tray->Icone());
    EXPECT_TRUE(InTray(tray->HandleWindow()));

    // The owner's stay-on-top style changes: the icon is put back once.
    calls.clear();
    SetWindowPos(bar.Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(Count(calls, NIM_DELETE), 1);
    EXPECT_EQ(Count(calls, NIM_ADD), 1);
    SetWindowPos(bar.Handle(), nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(Count(calls, NIM_ADD), 1);
    EXPECT_TRUE(InTray(tray->HandleWindow()));
}

TEST_F(TrayTest, PressesOpenTheMenuOrShowTheHiddenBarAndTheHandlersGoWithTheComponent) {
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    int downs = 0;
    tray->OnMouseDown = [&](TPiconeBarreTache&, BoutonSouris b, BoutonSouris s, int, int) {
        downs += b == BoutonSouris::Droit && s == BoutonSouris::Droit;
    };
    Mouse(WM_RBUTTONDOWN); // no menu: the event alone, nothing modal
    EXPECT_EQ(downs, 1);

    POINT menuAt{-1, -1};
    tray->MenuPop = [&](POINT at) { menuAt = at; };
    Mouse(WM_RBUTTONDOWN);
    EXPECT_EQ(downs, 2);
    EXPECT_TRUE(PumpUntil([&] { return menuAt.x != -1; })); // once queued messages have run
    Mouse(WM_RBUTTONUP);
    Mouse(WM_LBUTTONUP);
    EXPECT_EQ(downs, 2);

    tray->ReduireSiFin = true;
    SendMessageW(bar.Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(bar.Handle()));
    EXPECT_FALSE(IsWindowVisible(bar.Handle()));

    std::vector<std::string> seen;
    tray->OnMouseDown = [&](TPiconeBarreTache&, BoutonSouris b, BoutonSouris, int, int) {
        seen.push_back(b == BoutonSouris::Gauche ? "left" : "other");
    };
    Mouse(WM_LBUTTONDOWN);
    EXPECT_EQ(seen, std::vector<std::string>{"left"});
    EXPECT_TRUE(IsWindowVisible(bar.Handle()));
    EXPECT_EQ(GetForegroundWindow(), bar.Handle());

    // No taskbar button for the bar while GrandeIconeVisible is off.
    tray->SetGrandeIconeVisible(false);
    EXPECT_TRUE(GetWindowLongPtrW(bar.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(IsWindowVisible(bar.Handle()));

    // A close already queued when the icon is pressed (the program closing):
    // it frees the icon with the bar, and no menu opens from the freed icon.
    HWND handle = tray->HandleWindow();
    bar.onDestroy = [&] { tray.reset(); };
    static int menus = 0; // not captured: the freed icon's copy of the call is not trusted
    tray->MenuPop = [](POINT) { ++menus; };
    tray->ReduireSiFin = false;
    PostMessageW(bar.Handle(), WM_CLOSE, 0, 0);
    Mouse(WM_RBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return !tray; }));
    EXPECT_EQ(menus, 0);
    EXPECT_FALSE(InTray(handle));
    EXPECT_FALSE(IsWindow(bar.Handle()));
}

TEST_F(TrayTest, ImagesComeFromTheListInTheAnimationOrder) {
    HIMAGELIST list = ThreeColours();
    tray->ImageList = list;
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    const COLORREF red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;
    EXPECT_EQ(IconColour(tray->Icone()), red); // image 0 after loading

    calls.clear();
    tray->SetNumIconeImageList(7); // not in the list: nothing changes
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(IconColour(tray->Icone()), red);
    tray->SetNumIconeImageList(1);
    ASSERT_EQ(Count(calls, NIM_MODIFY), 1);
    EXPECT_EQ(calls.back().colour, green);

    tray->SetOrdreImageListAffiche("0,2,1");
    tray->SetIntervalAnimation(40);
    calls.clear();
    tray->SetAnimation(true);
    PumpUntil([&] { return Count(calls, NIM_MODIFY) >= 4; }, 3000);
    tray->SetAnimation(false);
    std::vector<COLORREF> shownColours;
    for (const Call& c : calls)
        shownColours.push_back(c.colour);
    ASSERT_GE(shownColours.size(), 5u);
    EXPECT_EQ(std::vector<COLORREF>(shownColours.begin(), shownColours.begin() + 4),
              (std::vector<COLORREF>{blue, green, red, blue}));
    EXPECT_EQ(shownColours.back(), green); // stopping shows NumIconeImageList
    ImageList_Destroy(list);
}
