#include "programmes/FProgLireWin32.h"

#include <vector>

#include "base/EncodingWin32.h"

namespace pilotune {

namespace {

constexpr int kClientWidth = 444;
constexpr int kClientHeight = 114;

HFONT MessageFont(bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    if (bold) metrics.lfMessageFont.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

HFONT NormalFont() {
    static HFONT font = MessageFont(false); // shared for the program's life
    return font;
}

HWND Child(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y,
           int w, int h, int id, HFONT font) {
    HWND child = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return child;
}

std::string ComboText(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length < 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    return Narrow(buffer.data());
}

} // namespace

std::optional<std::string> TfrmProgLire::Choisir(HWND owner, const std::vector<std::string>& items,
                                                 const ProgLireTexts& texts) {
    tag_ = 0;
    done_ = false;
    chosen_.clear();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (!Create(kProgLireClass, exStyle, style, Widen(texts.caption).c_str(), x, y, width, height,
                owner))
        return std::nullopt;
    CreateControls(items, texts.label);

    const bool ownerEnabled = owner && IsWindowEnabled(owner);
    if (ownerEnabled) EnableWindow(owner, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(combo_);

    MSG msg{};
    while (!done_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(Handle(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (!done_) { // WM_QUIT: leave it for the main loop
        PostQuitMessage(static_cast<int>(msg.wParam));
        Finish(0);
    }
    if (ownerEnabled) {
        EnableWindow(owner, TRUE);
        SetForegroundWindow(owner);
    }
    if (boldFont_) {
        DeleteObject(boldFont_);
        boldFont_ = nullptr;
    }
    if (tag_ != 1 || chosen_.empty()) return std::nullopt;
    return chosen_;
}

void TfrmProgLire::CreateControls(const std::vector<std::string>& items, const std::string& label) {
    HWND self = Handle();
    boldFont_ = MessageFont(true);
    Child(self, L"STATIC", Widen(label), SS_LEFT, 8, 16, 428, 20, kLblProgLireId, boldFont_);
    combo_ = Child(self, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 8, 43, 425,
                   200, kCbxProgTitreId, NormalFont());
    for (const std::string& item : items)
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    if (!items.empty()) SendMessageW(combo_, CB_SETCURSEL, 0, 0);
    Child(self, L"BUTTON", L"Ok", WS_TABSTOP | BS_DEFPUSHBUTTON, 224, 81, 97, 25, IDOK,
          NormalFont());
    Child(self, L"BUTTON", L"Annuler", WS_TABSTOP | BS_PUSHBUTTON, 334, 81, 97, 25, IDCANCEL,
          NormalFont());
}

void TfrmProgLire::Finish(int tag) {
    if (done_) return;
    tag_ = tag;
    const LRESULT selected = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
    chosen_ = selected >= 0 ? ComboText(combo_, static_cast<int>(selected)) : std::string();
    done_ = true;
    Destroy();
}

LRESULT TfrmProgLire::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            Finish(1);
        else if (LOWORD(wParam) == IDCANCEL)
            Finish(0);
        return 0;
    case WM_CLOSE:
        Finish(0);
        return 0;
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(Handle(), &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}

} // namespace pilotune
