// The toolkit under Wine: the window base (icons, backgrounds, the end of a
// form's window, subclassing), the dialog base (the modal loop, anchors and
// the minimum size, pages, colours, a change of DPI) and the standard controls.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ModalDriver.h"
#include "WindowText.h"
#include "base/EncodingWin32.h"
#include "components/SpinEditWin32.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/ComboBoxWin32.h"
#include "ui/DialogWin32.h"
#include "ui/EditWin32.h"
#include "ui/ListViewWin32.h"
#include "ui/PanelWin32.h"
#include "ui/StaticWin32.h"
#include "ui/SubclassWin32.h"
#include "ui/TooltipWin32.h"
#include "ui/WindowWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

constexpr wchar_t kClass[] = L"PilotuneTestDialog";
constexpr int kFirst = 201, kSecond = 202;

// Two fields, "OK" (default) and "Annuler"; every command is counted.
struct TwoFields final : Dialog {
    TwoFields() {
        second.onChange = [this] { ++changes; };
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

TEST(Dialog, TheModalLoopEndsHoweverTheWindowClosesAndFreesItsOwner) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"propriétaire", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    TwoFields dialog;
    const DWORD thread = GetCurrentThreadId();
    // Closed inside a message sent from another thread (GetMessage does not
    // return for it, the loop must still wake); "OK" without a handler of the
    // form; a WM_QUIT, which goes back to the main loop.
    const std::pair<std::function<void(HWND)>, int> endings[] = {
        {[](HWND w) { SendMessageW(w, WM_CLOSE, 0, 0); }, IDCANCEL},
        {[](HWND w) { Click(GetDlgItem(w, IDOK)); }, IDOK},
        {[&](HWND) { PostThreadMessageW(thread, WM_QUIT, 7, 0); }, IDCANCEL},
    };
    for (const auto& [end, expected] : endings) {
        bool ownerDisabled = false;
        ModalDriver driver(kClass, [&](HWND w) {
            ownerDisabled = !IsWindowEnabled(owner);
            end(w);
        });
        dialog.Open(owner);
        EXPECT_EQ(dialog.ShowModal(), expected);
        driver.Join();
        EXPECT_TRUE(driver.found && ownerDisabled);
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(dialog.Handle(), nullptr);
    }
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    DestroyWindow(owner);
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

constexpr int kPageButton = 301, kPageEdit = 302, kOtherEdit = 303, kPageLabel = 304;

struct Paged final : Dialog {
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
};

TEST(Dialog, PagesShareOnePlaceTabWalksIntoTheVisibleOneAndAllScaleWithTheDpi) {
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

    // The page takes the dialog's colour, behind its labels too.
    HDC dc = GetDC(dialog.label.Handle());
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(dialog.pages[1].Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(dialog.label.Handle())));
    ReleaseDC(dialog.label.Handle(), dc);
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectW(brush, sizeof(lb), &lb));
    EXPECT_EQ(lb.lbColor, RGB(10, 20, 30));

    // Moved to a monitor of twice the DPI and back: the window takes the size
    // the system suggests, and the controls, on the pages too, their scaled
    // place and font; back at 96 DPI everything is as it was.
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

constexpr int kList = 401, kCombo = 402, kTyping = 403, kCheck = 404, kSpin = 405, kEdit = 406;

struct Board final : Dialog {
    ~Board() override { Destroy(); }
    void Open() {
        Create(L"PilotuneTestBoard", {.caption = "Contrôles", .client = {400, 300}});
        list.Create(*this, {8, 8, 384, 150}, kList);
        combo.Create(*this, {8, 170, 150, 120}, kCombo);
        typing.Create(*this, {170, 170, 150, 120}, kTyping, kAnchorTopLeft, ComboBox::Typing);
        check.Create(*this, "Forcer", {8, 200, 100, 17}, kCheck);
        spin.Create(*this, {8, 230, 0, 0}, kSpin);
        edit.Create(*this, "", {170, 230, 150, 22}, kEdit);
    }
    ListView list;
    ComboBox combo, typing;
    CheckBox check;
    SpinEdit spin;
    Edit edit;
};

void Key(HWND control, WORD vk) {
    SendMessageW(control, WM_KEYDOWN, vk, 1);
    SendMessageW(control, WM_KEYUP, vk, 0xC0000001);
}

TEST(Controls, TheListViewReportsWhatTheUserDoesEveryControlSpeaksUtf8) {
    Board board;
    board.Open();
    ListView& list = board.list;
    std::vector<ListViewEvent> events;
    list.onEvent = [&](const ListViewEvent& e) { events.push_back(e); };

    EXPECT_EQ(list.AddColumn("Action", 150), 0);
    EXPECT_EQ(list.AddColumn("Paramètre", 200), 1);
    EXPECT_EQ(list.InsertRow("Jouer", -1, "Lance la lecture"), 0);
    EXPECT_EQ(list.InsertRow("Arrêter l'ordinateur", -1, "Compte à rebours"), 1);
    EXPECT_EQ(list.InsertRow("Pause", 1), 1); // before the second row
    list.SetCell(2, 1, "10 s");
    const std::string path(3000, 'c');
    list.SetCell(1, 1, path); // read back whole, however long
    list.SetChecked(0, true);
    list.Select(2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Cell(1, 0), "Pause");
    EXPECT_EQ(list.Cell(2, 0), "Arrêter l'ordinateur");
    EXPECT_EQ(list.Cell(2, 1), "10 s");
    EXPECT_EQ(list.Cell(1, 1), path);
    EXPECT_TRUE(list.Checked(0));
    EXPECT_FALSE(list.Checked(2));
    EXPECT_EQ(list.Selected(), 2);
    EXPECT_EQ(list.Hint(2), "Compte à rebours"); // hints move with their rows
    EXPECT_EQ(list.Hint(1), "");
    EXPECT_TRUE(events.empty()) << "changes made by the program are not the user's";

    // The hint is what the list view shows as the row's tip.
    wchar_t tip[128] = L"";
    NMLVGETINFOTIPW info{.hdr = {list.Handle(), static_cast<UINT_PTR>(kList), LVN_GETINFOTIPW},
                         .pszText = tip,
                         .cchTextMax = 128,
                         .iItem = 2};
    SendMessageW(board.Handle(), WM_NOTIFY, kList, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(Narrow(tip), "Compte à rebours");

    // The user's keys: Space ticks the focused row, Up moves the selection.
    Key(list.Handle(), VK_SPACE);
    Key(list.Handle(), VK_UP);
    EXPECT_TRUE(list.Checked(2));
    EXPECT_EQ(list.Selected(), 1);
    const std::vector<ListViewEvent> expected = {
        {ListViewEvent::Key, -1, -1, false, VK_SPACE}, {ListViewEvent::Checked, 2, -1, true},
        {ListViewEvent::Key, -1, -1, false, VK_UP},    {ListViewEvent::Selected, 2, -1, false},
        {ListViewEvent::Selected, 1, -1, true},
    };
    EXPECT_EQ(events, expected); // focus-only changes are no events

    list.DeleteRow(0);
    EXPECT_EQ(list.Hint(1), "Compte à rebours");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Hint(0), "");

    // Combo boxes, check box, edit, spin edit and tooltips, in UTF-8.
    board.combo.SetItems({"Arrêter l'ordinateur", "Rédémarrer l'ordinateur"});
    EXPECT_EQ(board.combo.Count(), 2);
    EXPECT_EQ(board.combo.Selected(), -1);
    board.combo.Select(1);
    EXPECT_EQ(board.combo.SelectedItem(), "Rédémarrer l'ordinateur");
    EXPECT_EQ(board.combo.Item(5), "");
    board.typing.Add("C:\\Musique");
    board.typing.SetText("D:\\Été");
    EXPECT_EQ(board.typing.Text(), "D:\\Été");
    EXPECT_EQ(board.typing.Selected(), -1);

    EXPECT_FALSE(board.check.Checked());
    SendMessageW(board.check.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(board.check.Checked());

    board.edit.SetText("Soirée « calme »");
    EXPECT_EQ(board.edit.Text(), "Soirée « calme »");

    // The spin edit is placed at its design size with the dialog's font.
    ASSERT_NE(board.spin.Handle(), nullptr);
    EXPECT_EQ(ClientSize(board.Handle()).cx, 400);
    RECT r{};
    GetWindowRect(board.spin.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 121);
    EXPECT_EQ(r.bottom - r.top, 25);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(board.spin.Handle(), WM_GETFONT, 0, 0)),
              board.Font());

    // One tooltip serves many controls.
    Tooltip tips;
    ASSERT_TRUE(tips.Create(board.Handle()));
    tips.Add(board.check.Handle(), "Ferme les programmes sans leur demander");
    tips.Add(board.edit.Handle(), "Dossier de copie");
    EXPECT_EQ(tips.Text(board.check.Handle()), "Ferme les programmes sans leur demander");
    EXPECT_EQ(tips.Text(board.edit.Handle()), "Dossier de copie");
    tips.SetText(board.edit.Handle(), "Dossier où copier les titres");
    EXPECT_EQ(tips.Text(board.edit.Handle()), "Dossier où copier les titres");
    EXPECT_EQ(SendMessageW(tips.Handle(), TTM_GETTOOLCOUNT, 0, 0), 2);
}

struct Plain final : Window {
    ~Plain() override { Destroy(); }
};

HICON IconOf(HWND w) {
    return reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_BIG, 0));
}

TEST(WindowBase, EachWindowHasItsOwnIconAndItsClassItsBackground) {
    HICON question = LoadIconW(nullptr, IDI_QUESTION);
    HICON warning = LoadIconW(nullptr, IDI_WARNING);
    // The first window of a class registers it without an icon; later
    // windows of the same class still show the icon they are given.
    Plain first, second, third;
    ASSERT_TRUE(first.Create(L"PilotuneTestShared", 0, WS_POPUP, L"", 0, 0, 10, 10));
    ASSERT_TRUE(
        second.Create(L"PilotuneTestShared", 0, WS_POPUP, L"", 0, 0, 10, 10, nullptr, question));
    ASSERT_TRUE(third.Create(WindowClass{.name = L"PilotuneTestShared", .icon = warning}, 0,
                             WS_POPUP, L"", 0, 0, 10, 10));
    EXPECT_EQ(IconOf(first.Handle()), nullptr);
    EXPECT_EQ(IconOf(second.Handle()), question);
    EXPECT_EQ(IconOf(third.Handle()), warning);

    // A class registered with its own brush paints with it.
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    Plain painted;
    ASSERT_TRUE(painted.Create(WindowClass{.name = L"PilotuneTestFace", .background = face}, 0,
                               WS_POPUP, L"", 0, 0, 10, 10));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrW(painted.Handle(), GCLP_HBRBACKGROUND)),
              face);
    EXPECT_EQ(GetClassLongPtrW(first.Handle(), GCLP_HBRBACKGROUND), 0);
}

// A form with a handler for the end of its window.
struct Form : Dialog {
    explicit Form(int& destroyed) {
        OnMessage(WM_DESTROY, [&destroyed](WPARAM, LPARAM) {
            ++destroyed;
            return LRESULT{0};
        });
    }
    void Open() { Create(L"PilotuneTestForm", {.caption = "Forme", .client = {100, 50}}); }
};

// Follows the documented way: Destroy() in its own destructor.
struct TidyForm final : Form {
    using Form::Form;
    ~TidyForm() override { Destroy(); }
};

// Forgets it: its handler must not run once its members are gone.
struct CarelessForm final : Form {
    using Form::Form;
};

TEST(WindowBase, AFormThatDestroysItsWindowInItsDestructorSeesWmDestroy) {
    int tidy = 0, careless = 0;
    HWND tidyWindow = nullptr, carelessWindow = nullptr;
    {
        TidyForm t(tidy);
        t.Open();
        tidyWindow = t.Handle();
        t.ShowModeless();
        CarelessForm c(careless);
        c.Open();
        carelessWindow = c.Handle();
        c.ShowModeless();
        EXPECT_TRUE(IsDialogWindow(tidyWindow));
    }
    EXPECT_EQ(tidy, 1);
    EXPECT_EQ(careless, 0); // dropped with the form, never called on a dead object
    EXPECT_FALSE(IsWindow(tidyWindow));
    EXPECT_FALSE(IsWindow(carelessWindow));
    EXPECT_FALSE(IsDialogWindow(tidyWindow)); // its keys are no longer routed
    EXPECT_FALSE(IsDialogWindow(carelessWindow));
}

std::string trace;

LRESULT CALLBACK Own(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP) trace += "own;";
    return DefWindowProcW(w, m, wp, lp);
}

// Notes its name (data), sends a nested WM_APP + 1 when asked, leaves the
// chain during WM_APP + 2, then passes the message on.
LRESULT CALLBACK Link(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR name) {
    if (m == WM_APP || m == WM_APP + 1)
        trace += std::string(reinterpret_cast<const char*>(name)) + ";";
    if (m == WM_APP && wp == 1 && id == 2) {
        trace += "[";
        SendMessageW(w, WM_APP + 1, 0, 0);
        trace += "]";
    }
    if (m == WM_APP + 2 && id == 2) DetachSubclass(w, Link, id);
    return NextSubclassProc(w, m, wp, lp);
}

TEST(Subclass, LinksRunNewestFirstNestLeaveAndGiveTheProcedureBack) {
    HWND w = MakeWindow(L"PilotuneSubclassTest", Own, WS_POPUP, {0, 0, 10, 10});
    ASSERT_TRUE(w);
    ASSERT_TRUE(AttachSubclass(w, Link, 1, reinterpret_cast<DWORD_PTR>("a")));
    ASSERT_TRUE(AttachSubclass(w, Link, 2, reinterpret_cast<DWORD_PTR>("b")));

    SendMessageW(w, WM_APP, 0, 0);
    EXPECT_EQ(trace, "b;a;own;");

    // A message sent from inside a link runs the whole chain, and the outer
    // one then goes on where it was.
    trace.clear();
    SendMessageW(w, WM_APP, 1, 0);
    EXPECT_EQ(trace, "b;[b;a;]a;own;");

    // "b" leaves while it runs: the message still reaches "a", later ones too.
    SendMessageW(w, WM_APP + 2, 0, 0);
    trace.clear();
    SendMessageW(w, WM_APP, 0, 0);
    EXPECT_EQ(trace, "a;own;");

    EXPECT_TRUE(DetachSubclass(w, Link, 1));
    EXPECT_FALSE(DetachSubclass(w, Link, 1));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC)), Own);

    // A window destroyed with its links drops them.
    ASSERT_TRUE(AttachSubclass(w, Link, 1, reinterpret_cast<DWORD_PTR>("a")));
    DestroyWindow(w);
    EXPECT_FALSE(DetachSubclass(w, Link, 1));
}

} // namespace
