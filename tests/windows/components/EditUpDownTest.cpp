#include <windows.h>

#include <commctrl.h>

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "components/UEditUpDownWin32.h"
#include "base/EncodingWin32.h"
#include "Waiting.h"
#include "WindowText.h"

using namespace pilotune;

namespace {

// A real top-level window (one for the suite: destroying a visible top-level
// window costs Wine two seconds without a window manager) holding, per test, a
// panel with the control and a second edit to move the focus to.
class EditUpDownTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        fenetre = pilotune::testing::MakeWindow(L"PilotuneSpinTest", DefWindowProcW,
                                                WS_POPUP | WS_VISIBLE, {50, 50, 400, 200}, L"Spin");
        SetForegroundWindow(fenetre);
    }
    static void TearDownTestSuite() { DestroyWindow(fenetre); }

    void SetUp() override {
        ASSERT_NE(fenetre, nullptr);
        panneau = CreateWindowExW(0, L"PilotuneSpinTest", L"", WS_CHILD | WS_VISIBLE, 0, 0, 400,
                                  200, fenetre, nullptr, GetModuleHandleW(nullptr), nullptr);
        autre = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 100, 100, 25, panneau,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        ctl = std::make_unique<TEditUpDown>(panneau, 10, 10, 101);
        ASSERT_NE(ctl->Handle(), nullptr);
        ctl->OnChange = [this] { ++changements; };
        ctl->OnKeyPress = [this](wchar_t& c) { frappes += c; };
        ctl->OnKeyDown = [this](WORD& k) { touchesBas += static_cast<wchar_t>(k); };
    }
    void TearDown() override {
        ctl.reset();
        if (panneau) DestroyWindow(panneau);
    }

    void Heures() {
        ctl->SetText("00 h 00 m 00 s");
        ctl->SetCoeficient("3600 60 1");
        ctl->SetMaskMax("99 h 59 m 59 s");
        ctl->SetMaskMin("00 h 00 m 00 s");
    }
    LRESULT Envoyer(UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
        return SendMessageW(ctl->Handle(), msg, wp, lp);
    }
    void Touche(int vk) { Envoyer(WM_KEYDOWN, static_cast<WPARAM>(vk), 1); }
    void Molette(int pas) { Envoyer(WM_MOUSEWHEEL, MAKEWPARAM(0, pas), 0); }
    std::pair<int, int> Sel() {
        DWORD d = 0, f = 0;
        Envoyer(EM_GETSEL, reinterpret_cast<WPARAM>(&d), reinterpret_cast<LPARAM>(&f));
        return {static_cast<int>(d), static_cast<int>(f)};
    }
    RECT BoutonDansEdit() {
        RECT r{};
        GetWindowRect(ctl->UpDownHandle(), &r);
        MapWindowPoints(nullptr, ctl->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    void Cliquer(HWND h, int x, int y) {
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    static inline HWND fenetre = nullptr;
    HWND panneau = nullptr, autre = nullptr;
    std::unique_ptr<TEditUpDown> ctl;
    int changements = 0;
    std::wstring frappes, touchesBas;
};

} // namespace

TEST_F(EditUpDownTest, CreationDefaultsAndTheButtonFollowsTheEdit) {
    RECT r{};
    GetWindowRect(ctl->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 121);
    EXPECT_EQ(r.bottom - r.top, 25);
    EXPECT_EQ(ctl->Text(), "00h 00m 00s");
    EXPECT_EQ(TEditUpDown::FromHandle(ctl->Handle()), ctl.get());
    EXPECT_EQ(TEditUpDown::FromHandle(autre), nullptr);
    // The dialog manager must not select the whole text on entry.
    EXPECT_EQ(Envoyer(WM_GETDLGCODE) & DLGC_HASSETSEL, 0);

    EXPECT_EQ(GetParent(ctl->UpDownHandle()), ctl->Handle());
    EXPECT_TRUE(IsWindowVisible(ctl->UpDownHandle()));
    RECT b = BoutonDansEdit();
    EXPECT_EQ(b.left, 121 - 25);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.right - b.left, 21);
    EXPECT_EQ(b.bottom - b.top, 21);

    MoveWindow(ctl->Handle(), 10, 10, 200, 30, TRUE);
    b = BoutonDansEdit();
    EXPECT_EQ(b.left, 200 - 30);
    EXPECT_EQ(b.right - b.left, 26);
    EXPECT_EQ(b.bottom - b.top, 26);
    // A new font (another DPI) keeps the text clear of the arrows.
    Envoyer(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    EXPECT_EQ(HIWORD(Envoyer(EM_GETMARGINS)), 26);

    // The arrows follow the edit's state, and show only when enabled.
    for (const bool on : {false, true}) {
        EnableWindow(ctl->Handle(), on);
        EXPECT_EQ(IsWindowEnabled(ctl->UpDownHandle()) != FALSE, on);
        ctl->SetUpDownEnabled(on);
        EXPECT_EQ(IsWindowVisible(ctl->UpDownHandle()) != FALSE, on);
    }
}

TEST_F(EditUpDownTest, FocusKeysWheelAndArrowClicksEditTheFieldsLikeTheEngine) {
    Heures();
    ctl->SetPosition(3725);
    EXPECT_EQ(ctl->Text(), "01 h 02 m 05 s");
    SetFocus(autre);
    SetFocus(ctl->Handle());
    ASSERT_EQ(GetFocus(), ctl->Handle());
    EXPECT_EQ(Sel(), std::make_pair(11, 12)); // the last digit
    changements = 0;

    Touche('7');
    EXPECT_EQ(ctl->Text(), "01 h 02 m 07 s");
    EXPECT_EQ(Sel(), std::make_pair(11, 12));
    Touche(VK_LEFT);
    EXPECT_EQ(Sel(), std::make_pair(10, 11));
    Touche(VK_NUMPAD9); // 97 s is beyond 59: the maximum's digit is written
    EXPECT_EQ(ctl->Text(), "01 h 02 m 57 s");
    EXPECT_EQ(Sel(), std::make_pair(11, 12));
    Touche(VK_UP);
    EXPECT_EQ(ctl->Text(), "01 h 02 m 58 s");
    EXPECT_EQ(Sel(), std::make_pair(10, 12)); // the whole field
    Molette(WHEEL_DELTA);
    Molette(WHEEL_DELTA); // already at 59
    EXPECT_EQ(ctl->Text(), "01 h 02 m 59 s");
    Molette(-WHEEL_DELTA);
    EXPECT_EQ(ctl->Position(), 3600 + 120 + 58);
    Touche(VK_DELETE);
    EXPECT_EQ(ctl->Text(), "01 h 02 m 08 s");
    EXPECT_EQ(changements, 6); // one per real change, none for a refused step
    Touche(VK_BACK);
    Touche(VK_HOME);
    EXPECT_EQ(ctl->Text(), "01 h 02 m 08 s");

    // Characters reach OnKeyPress and are discarded; OnKeyDown is not raised.
    Envoyer(WM_CHAR, L'x', 1);
    EXPECT_EQ(frappes, L"x");
    EXPECT_EQ(ctl->Text(), "01 h 02 m 08 s");
    EXPECT_EQ(touchesBas, L"");

    // Through the message loop, as a real key arrives.
    PostMessageW(ctl->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_TRUE(pilotune::testing::PumpUntil([&] { return ctl->Text() == "01 h 02 m 07 s"; }))
        << ctl->Text();

    // Arrow clicks take the focus and step the field; a release selects one character.
    ctl->SetPosition(125);
    SetFocus(autre);
    const RECT b = BoutonDansEdit();
    const int l = b.right - b.left, h = b.bottom - b.top;
    Cliquer(ctl->UpDownHandle(), l / 2, 2); // upper arrow: focus selects the seconds
    EXPECT_EQ(GetFocus(), ctl->Handle());
    EXPECT_EQ(ctl->Text(), "00 h 02 m 06 s");
    EXPECT_EQ(Sel(), std::make_pair(10, 12));
    Cliquer(ctl->UpDownHandle(), l / 2, h - 2);
    Cliquer(ctl->UpDownHandle(), l / 2, h - 2);
    EXPECT_EQ(ctl->Text(), "00 h 02 m 04 s");
    // With the minutes selected the arrows step the minutes.
    Envoyer(EM_SETSEL, 6, 7);
    Cliquer(ctl->UpDownHandle(), l / 2, 2);
    EXPECT_EQ(ctl->Text(), "00 h 03 m 04 s");

    // Releasing the left button in the field selects one character.
    Envoyer(EM_SETSEL, 6, 6);
    Envoyer(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(Sel(), std::make_pair(5, 6));
    Envoyer(EM_SETSEL, 0, 4);
    Envoyer(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(Sel(), std::make_pair(0, 4));
}

TEST_F(EditUpDownTest, PasteAndCutAreIgnoredWhenMaskedAndWorkWhenPlain) {
    Heures();
    SetWindowTextW(autre, L"123"); // copied to the clipboard by the other edit
    SendMessageW(autre, EM_SETSEL, 0, -1);
    SendMessageW(autre, WM_COPY, 0, 0);
    Envoyer(EM_SETSEL, 0, 4);
    for (UINT msg : {WM_PASTE, WM_CUT, WM_CLEAR, WM_UNDO})
        Envoyer(msg);
    EXPECT_EQ(ctl->Text(), "00 h 00 m 00 s");

    ctl->SetUpDownEnabled(false);
    ctl->SetText("abc");
    Envoyer(EM_SETSEL, 0, -1);
    Envoyer(WM_PASTE);
    EXPECT_EQ(ctl->Text(), "123");
    Envoyer(WM_CHAR, L'z', 1);
    EXPECT_EQ(ctl->Text(), "123z");
    Envoyer(EM_SETSEL, 0, 1);
    Envoyer(WM_CUT);
    EXPECT_EQ(ctl->Text(), "23z");
    Touche(VK_LEFT);
    EXPECT_EQ(touchesBas, std::wstring(1, VK_LEFT));
    EXPECT_EQ(frappes, L"z");
}

TEST_F(EditUpDownTest, PluralTemplateEmptyTextAndALostParentStayDefined) {
    ctl->SetText("003 chansons");
    ctl->SetCoeficient("1");
    ctl->SetMaskMax("999");
    ctl->SetMaskMin("1");
    ctl->SetPluriel(true);
    ctl->SetPosition(1);
    EXPECT_EQ(ctl->Text(), "001 chanson");
    SetFocus(ctl->Handle());
    Touche(VK_UP);
    EXPECT_EQ(ctl->Text(), "002 chansons");
    EXPECT_EQ(ctl->Position(), 2);

    // An empty text: no field to step or select.
    ctl->SetText("");
    Touche(VK_UP);
    SetFocus(autre);
    SetFocus(ctl->Handle());
    EXPECT_EQ(ctl->Text(), "");

    // The parent destroyed first: the control is left safe.
    DestroyWindow(panneau);
    panneau = nullptr;
    EXPECT_EQ(ctl->Handle(), nullptr);
    EXPECT_EQ(ctl->Text(), "");
    ctl->SetPosition(5);
    ctl->TraiterToucheMasque(VK_UP);
}
