#pragma once
// The base of every window of the program: owns its HWND, one virtual message
// handler, no exception ever crosses the window procedure.
#include <windows.h>

namespace pilotune {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }
    // Registers `className` once (with this class's procedure) and creates the window.
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

// Runs the message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

} // namespace pilotune
