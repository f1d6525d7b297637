#include "ui/MessageWindowWin32.h"

namespace pilotune {

bool MessageWindow::Create() {
    return Window::Create(L"PilotuneMessages", 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE);
}

LRESULT MessageWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER || msg >= WM_APP) {
        if (handler_) handler_(msg, wParam, lParam);
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace pilotune
