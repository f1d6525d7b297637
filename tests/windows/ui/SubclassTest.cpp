// The program's own window subclassing: links called newest first down to
// the window's procedure, a link that leaves while it runs, nested messages,
// and the window's procedure given back when the last link goes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/SubclassWin32.h"

using namespace pilotune;

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
