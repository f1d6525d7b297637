// The window base: each window has its class's icon and background, a form
// sees the end of its window when it goes with its object, and the program's
// own subclassing chains links newest first down to the window's procedure.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/DialogWin32.h"
#include "ui/SubclassWin32.h"
#include "ui/WindowWin32.h"

using namespace pilotune;

namespace {

struct Plain final : Window {
    ~Plain() override { Destroy(); }
};

HICON IconOf(HWND w) {
    return reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_BIG, 0));
}

} // namespace

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

namespace {

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

} // namespace

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

namespace {

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
    WNDCLASSW wc{};
    wc.lpfnWndProc = Own;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PilotuneSubclassTest";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
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
