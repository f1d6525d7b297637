// The dialog base under Wine: the modal loop, the keys of a modeless dialog in
// the main loop, anchors and the minimum size, pages, background colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "DialogDriving.h"
#include "ModalDriver.h"
#include "ui/ButtonWin32.h"
#include "ui/DialogWin32.h"
#include "ui/EditWin32.h"
#include "ui/PanelWin32.h"
#include "ui/StaticWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

constexpr wchar_t kClass[] = L"PilotuneTestDialog";
constexpr int kFirst = 201, kSecond = 202;

// Two fields, "OK" (default) and "Annuler"; every command is counted.
struct TwoFields final : Dialog {
    TwoFields() {
        OnCommand(kSecond, EN_CHANGE, [this] { ++changes; });
    }
    ~TwoFields() override { Destroy(); }
    void Open(HWND owner = nullptr, bool resizable = false) {
        Create(kClass, {.caption = "Deux champs",
                        .client = {300, 120},
                        .owner = owner,
                        .resizable = resizable,
                        .minimum = {200, 100}});
        first.Create(*this, "un", {10, 10, 280, 22}, kFirst,
                     kAnchorLeft | kAnchorRight | kAnchorTop);
        second.Create(*this, "deux", {10, 40, 280, 22}, kSecond);
        ok.Create(*this, "OK", {120, 86, 80, 26}, IDOK, kAnchorRight | kAnchorBottom, true);
        cancel.Create(*this, "Annuler", {210, 86, 80, 26}, IDCANCEL, kAnchorRight | kAnchorBottom);
    }
    Edit first, second;
    Button ok, cancel;
    int changes = 0;
};

RECT ChildRect(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

TEST(Dialog, TheModalLoopEndsHoweverTheWindowClosesAndFreesItsOwner) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"propriétaire", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    TwoFields dialog;
    bool ownerDisabled = false;
    {
        // Closed inside a message sent from another thread: GetMessage does
        // not return for it, the loop must still wake.
        ModalDriver driver(kClass, [&](HWND w) {
            ownerDisabled = !IsWindowEnabled(owner);
            SendMessageW(w, WM_CLOSE, 0, 0);
        });
        dialog.Open(owner);
        EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
        driver.Join();
        ASSERT_TRUE(driver.found);
    }
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(dialog.Handle(), nullptr);

    // "OK" without a handler of the form ends the dialog with IDOK.
    {
        ModalDriver driver(kClass, [](HWND w) { Click(GetDlgItem(w, IDOK)); });
        dialog.Open(owner);
        EXPECT_EQ(dialog.ShowModal(), IDOK);
    }

    // A WM_QUIT ends the dialog and goes back to the main loop.
    const DWORD thread = GetCurrentThreadId();
    {
        ModalDriver driver(kClass, [&](HWND) { PostThreadMessageW(thread, WM_QUIT, 7, 0); });
        dialog.Open(owner);
        EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
    }
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    DestroyWindow(owner);
}

// Keys posted to the focused control, then run by the program's main loop.
// (A posted key skips the keyboard state: Shift+Tab is tested with real keys.)
TEST(Dialog, AModelessDialogGetsTabEnterAndEscapeFromTheMainLoop) {
    TwoFields dialog;
    dialog.Open();
    dialog.ShowModeless(dialog.first.Handle());
    auto key = [&](WORD vk) {
        PostMessageW(GetFocus(), WM_KEYDOWN, vk, 1);
        PostMessageW(GetFocus(), WM_KEYUP, vk, 0xC0000001);
        PostQuitMessage(0);
        RunMessageLoop();
    };
    ASSERT_EQ(GetFocus(), dialog.first.Handle());
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.second.Handle());
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.ok.Handle());
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.cancel.Handle());
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.first.Handle());
    // Enter in a field presses the default button; the dialog ends with IDOK.
    key(VK_RETURN);
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_EQ(dialog.Result(), IDOK);

    dialog.Open();
    dialog.ShowModeless(dialog.second.Handle());
    key(VK_ESCAPE);
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_EQ(dialog.Result(), IDCANCEL);
}

TEST(Dialog, ControlsFollowTheirAnchorsAndTheWindowKeepsItsMinimum) {
    TwoFields dialog;
    dialog.Open(nullptr, true);
    HWND w = dialog.Handle();
    ASSERT_EQ(WindowDpi(w), 96); // the test process runs at 96 DPI
    EXPECT_EQ(ClientSize(w).cx, 300);
    EXPECT_EQ(ClientSize(w).cy, 120);
    RECT outer{};
    GetWindowRect(w, &outer);
    SetWindowPos(w, nullptr, 0, 0, outer.right - outer.left + 60, outer.bottom - outer.top + 40,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT first = ChildRect(w, dialog.first.Handle());
    EXPECT_EQ(first.left, 10);
    EXPECT_EQ(first.right, 10 + 280 + 60); // stretched
    const RECT second = ChildRect(w, dialog.second.Handle());
    EXPECT_EQ(second.right, 290); // top-left: stays
    const RECT ok = ChildRect(w, dialog.ok.Handle());
    EXPECT_EQ(ok.left, 120 + 60);
    EXPECT_EQ(ok.top, 86 + 40);
    EXPECT_EQ(ok.right - ok.left, 80);

    // A notification code of a control reaches its own handler.
    const int before = dialog.changes;
    dialog.second.SetText("trois");
    EXPECT_EQ(dialog.changes, before + 1);

    MINMAXINFO info{};
    SendMessageW(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT minimum{0, 0, 200, 100};
    AdjustWindowRectEx(&minimum, static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE)));
    EXPECT_EQ(info.ptMinTrackSize.x, minimum.right - minimum.left);
    EXPECT_EQ(info.ptMinTrackSize.y, minimum.bottom - minimum.top);
}

namespace {

constexpr int kPageButton = 301, kPageEdit = 302, kOtherEdit = 303, kPageLabel = 304;

struct Paged final : Dialog {
    Paged() {
        OnCommand(kPageButton, [this] { ++pressed; });
    }
    ~Paged() override { Destroy(); }
    void Open() {
        Create(kClass, {.caption = "Pages", .client = {300, 200}});
        SetBackground(RGB(10, 20, 30));
        Panel& one = pages.Add(*this, {0, 0, 300, 150});
        Panel& two = pages.Add(*this, {0, 0, 300, 150});
        otherEdit.Create(one, "", {10, 10, 100, 22}, kOtherEdit);
        pageEdit.Create(two, "", {10, 10, 100, 22}, kPageEdit);
        pageButton.Create(two, "Appliquer", {10, 40, 100, 26}, kPageButton);
        label.Create(two, "Étiquette", {10, 80, 100, 20}, kPageLabel);
        ok.Create(*this, "OK", {210, 165, 80, 26}, IDOK, kAnchorTopLeft, true);
    }
    PageStack pages;
    Edit otherEdit, pageEdit;
    Button pageButton, ok;
    Static label;
    int pressed = 0;
};

} // namespace

TEST(Dialog, PagesShareOnePlaceAndTabWalksIntoTheVisibleOne) {
    Paged dialog;
    dialog.Open();
    dialog.ShowModeless();
    HWND w = dialog.Handle();
    EXPECT_TRUE(dialog.otherEdit.IsVisible());
    EXPECT_FALSE(dialog.pageEdit.IsVisible());
    dialog.pages.Show(1);
    EXPECT_EQ(dialog.pages.Current(), 1u);
    EXPECT_FALSE(dialog.otherEdit.IsVisible());
    EXPECT_TRUE(dialog.pageEdit.IsVisible());
    EXPECT_EQ(ChildRect(w, dialog.pages[0].Handle()).right,
              ChildRect(w, dialog.pages[1].Handle()).right);

    // From "OK", Tab goes into the visible page, past the hidden one.
    EXPECT_EQ(GetNextDlgTabItem(w, dialog.ok.Handle(), FALSE), dialog.pageEdit.Handle());
    EXPECT_EQ(GetNextDlgTabItem(w, dialog.pageEdit.Handle(), FALSE), dialog.pageButton.Handle());

    // A button of a page reaches the dialog's handler.
    dialog.pageButton.Click();
    EXPECT_EQ(dialog.pressed, 1);

    // The page takes the dialog's colour, behind its labels too.
    HDC dc = GetDC(dialog.label.Handle());
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(dialog.pages[1].Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(dialog.label.Handle())));
    ReleaseDC(dialog.label.Handle(), dc);
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectW(brush, sizeof(lb), &lb));
    EXPECT_EQ(lb.lbColor, RGB(10, 20, 30));
}

// Moved to a monitor of twice the DPI and back: the window takes the size the
// system suggests, and the controls, on the pages too, their scaled place and
// font; back at 96 DPI everything is as it was.
TEST(Dialog, AMonitorOfAnotherDpiScalesTheControlsOnEveryPage) {
    Paged dialog;
    dialog.Open();
    dialog.ShowModeless();
    HWND w = dialog.Handle();
    auto letters = [](HWND control) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font),
                   &font);
        return std::abs(font.lfHeight);
    };
    RECT outer{};
    GetWindowRect(w, &outer);
    const RECT ok96 = ChildRect(w, dialog.ok.Handle());
    const RECT edit96 = ChildRect(GetParent(dialog.pageEdit.Handle()), dialog.pageEdit.Handle());
    const long letters96 = letters(dialog.pageEdit.Handle());

    RECT twice{outer.left, outer.top, outer.left + 2 * (outer.right - outer.left),
               outer.top + 2 * (outer.bottom - outer.top)};
    SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&twice));
    const RECT ok192 = ChildRect(w, dialog.ok.Handle());
    EXPECT_EQ(ok192.left, 2 * ok96.left);
    EXPECT_EQ(ok192.top, 2 * ok96.top);
    EXPECT_EQ(ok192.bottom - ok192.top, 2 * (ok96.bottom - ok96.top));
    const RECT edit192 = ChildRect(GetParent(dialog.pageEdit.Handle()), dialog.pageEdit.Handle());
    EXPECT_EQ(edit192.left, 2 * edit96.left);
    EXPECT_EQ(edit192.right - edit192.left, 2 * (edit96.right - edit96.left));
    EXPECT_GT(letters(dialog.pageEdit.Handle()), letters96 * 3 / 2);
    EXPECT_GT(letters(dialog.ok.Handle()), letters96 * 3 / 2);

    SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&outer));
    const RECT back = ChildRect(w, dialog.ok.Handle());
    EXPECT_EQ(back.left, ok96.left);
    EXPECT_EQ(back.top, ok96.top);
    EXPECT_EQ(letters(dialog.pageEdit.Handle()), letters96);
    dialog.Close(IDCANCEL);
}
