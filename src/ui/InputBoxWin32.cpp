#include "ui/InputBoxWin32.h"

#include <vector>

#include "settings/EncodingWin32.h"

namespace pilotune {

namespace {

struct BoxState {
    HWND edit = nullptr;
    bool done = false;
    bool confirmed = false;
    std::wstring text;
};

HFONT MessageFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }();
    return font;
}

void Finish(HWND hwnd, BoxState* state, bool confirmed) {
    const int length = GetWindowTextLengthW(state->edit);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(state->edit, buffer.data(), length + 1);
    state->text.assign(buffer.data());
    state->confirmed = confirmed;
    state->done = true;
    DestroyWindow(hwnd);
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
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kInputBoxClass;
    RegisterClassExW(&wc);
}

HWND Child(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y,
           int w, int h, int id) {
    HWND child = CreateWindowExW(cls == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0, cls,
                                 text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), TRUE);
    return child;
}

} // namespace

bool InputBox(HWND owner, const std::string& title, const std::string& prompt, std::string& text) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterBoxClass(instance);
    BoxState state;

    constexpr int kWidth = 380, kHeight = 160;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + (area.right - area.left - kWidth) / 2;
    const int y = area.top + (area.bottom - area.top - kHeight) / 2;
    HWND box = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kInputBoxClass,
                               Widen(title).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y,
                               kWidth, kHeight, owner, nullptr, instance, &state);
    if (!box) return false;
    RECT client{};
    GetClientRect(box, &client);
    const int cw = client.right;
    Child(box, L"STATIC", Widen(prompt), SS_LEFT, 10, 8, cw - 20, 36, -1);
    state.edit = Child(box, L"EDIT", Widen(text), WS_TABSTOP | ES_AUTOHSCROLL, 10, 50, cw - 20, 22,
                       kInputBoxEditId);
    Child(box, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, cw - 180, 84, 80, 26, IDOK);
    Child(box, L"BUTTON", L"Annuler", WS_TABSTOP | BS_PUSHBUTTON, cw - 90, 84, 80, 26, IDCANCEL);

    const bool ownerEnabled = owner && IsWindowEnabled(owner);
    if (ownerEnabled) EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOW);
    SetForegroundWindow(box);
    SetFocus(state.edit);
    SendMessageW(state.edit, EM_SETSEL, 0, -1);

    MSG msg;
    while (!state.done && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(box, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (!state.done) { // WM_QUIT arrived: keep it for the main loop
        PostQuitMessage(static_cast<int>(msg.wParam));
        if (IsWindow(box)) Finish(box, &state, false);
    }
    if (ownerEnabled) {
        EnableWindow(owner, TRUE);
        SetForegroundWindow(owner);
    }
    text = Narrow(state.text);
    return state.confirmed;
}

} // namespace pilotune
