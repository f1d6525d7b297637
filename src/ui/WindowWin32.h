#pragma once
// The base of every window of the program: owns its HWND, one virtual message
// handler, no exception ever crosses the window procedure.
//
// Destruction: ~Window destroys a window that is still open, but by then the
// derived parts of the object are gone and only Window::HandleMessage runs, so
// a derived class never sees that WM_DESTROY. A class that must see it (to
// re-enable an owner, unregister itself, save its place) calls Destroy() in its
// own destructor.
#include <windows.h>

namespace pilotune {

// A window class: each has its own background brush and icon.
struct WindowClass {
    const wchar_t* name = nullptr;
    HBRUSH background = nullptr; // null: the window paints all of itself
    HICON icon = nullptr;        // also given to each window, whoever registered the class
    UINT style = CS_DBLCLKS;
};

class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }
    // Registers the class once (with this class's procedure) and creates the window.
    bool Create(const WindowClass& cls, DWORD exStyle, DWORD style, const wchar_t* caption, int x,
                int y, int width, int height, HWND parent = nullptr);
    bool Create(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* caption, int x,
                int y, int width, int height, HWND parent = nullptr, HICON icon = nullptr);
    void Destroy();

  protected:
    // Default: DefWindowProcW.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY; the handle is already null.
    virtual void OnDestroyed() {}

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// The Z-order positions of SetTopMost: HWND_TOPMOST and HWND_NOTOPMOST as bytes.
inline constexpr signed char kTopMost = -1;
inline constexpr signed char kNotTopMost = -2;

// Moves `window` in the Z order without moving, sizing or activating it:
// kTopMost puts it above all non-topmost windows for good, kNotTopMost takes
// that away. Any other position does nothing and returns false.
bool SetTopMost(HWND window, signed char position);
// Topmost windows come first in the Z order: a window not topmost right below
// one of them (or below none) is already above every other window, as a new
// one is.
bool FirstBelowTopmost(HWND window);

// Dialog windows (modal or modeless) whose keyboard - Tab, Shift+Tab, Enter,
// Escape, mnemonics - the message loops hand to IsDialogMessage.
void AddDialogWindow(HWND dialog);
void RemoveDialogWindow(HWND dialog);
bool IsDialogWindow(HWND dialog);

// Sent to a dialog after IsDialogMessage handled a key of it (wParam: the key).
UINT DialogKeyMessage();

// Translates and dispatches one message, dialog keys first. Every loop of the
// program goes through here.
void DispatchWindowMessage(MSG& msg);

// Runs the message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

} // namespace pilotune
