#include "ui/InputBoxWin32.h"

#include <vector>

#include "base/EncodingWin32.h"
#include "ui/DialogWin32.h"

namespace pilotune {

namespace {

struct BoxState {
    HWND edit = nullptr;
    bool done = false;
    bool confirmed = false;
    std::wstring text;
};

void Finish(HWND hwnd, BoxState* state, bool confirmed) {
    const int length = GetWindowTextLengthW(state->edit);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(state->edit, buffer.data(), length + 1);
    state->text.assign(buffer.data());
    state->confirmed = confirmed;
    state->done = true;
    DestroyWindow(hwnd);
    WakeModalLoop(); // the box may close from a message sent by another thread
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    case WM_COMMAND:
        if (state && !state->done) {
            if (LOWORD(wParam) == IDOK) Finish(hwnd, state, true);
            else if (LOWORD(wParam) == IDCANCEL) Finish(hwnd, state, false);
        }
        return 0;
    case WM_CLOSE:
        if (state && !state->done) Finish(hwnd, state, false);
        return 0;
    case WM_ERASEBKGND:
        return EraseDialogBackground(hwnd, wParam);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterBoxClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(instance, kInputBoxClass, &wc)) return;
    wc.lpfnWndProc = BoxProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kInputBoxClass;
    RegisterClassExW(&wc);
}

} // namespace

bool InputBox(HWND owner, const std::string& title, const std::string& prompt, std::string& text) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterBoxClass(instance);
    BoxState state;

    constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
    constexpr int kClientW = 370, kClientH = 122;
    const SIZE size = OuterSize(kStyle, kExStyle, kClientW, kClientH);
    const POINT at = CentredOnScreen(size);
    HWND box = CreateWindowExW(kExStyle, kInputBoxClass, Widen(title).c_str(), kStyle, at.x, at.y,
                               size.cx, size.cy, owner, nullptr, instance, &state);
    if (!box) return false;
    DialogChild(box, L"STATIC", prompt, SS_LEFT, 10, 8, kClientW - 20, 36, -1);
    state.edit = DialogChild(box, L"EDIT", text, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 10, 50,
                             kClientW - 20, 22, kInputBoxEditId);
    DialogChild(box, L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kClientW - 180, 86, 80, 26,
                IDOK);
    DialogChild(box, L"BUTTON", "Annuler", WS_TABSTOP | BS_PUSHBUTTON, kClientW - 90, 86, 80, 26,
                IDCANCEL);

    ShowWindow(box, SW_SHOW);
    SetForegroundWindow(box);
    SetFocus(state.edit);
    SendMessageW(state.edit, EM_SETSEL, 0, -1);
    RunModal(box, owner);
    if (!state.done) state.text = Widen(text); // the loop ended by WM_QUIT: nothing typed counts
    text = Narrow(state.text);
    return state.confirmed;
}

} // namespace pilotune
