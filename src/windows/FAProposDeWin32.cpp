#include "windows/FAProposDeWin32.h"

#include <windowsx.h>

#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "settings/SystemWin32.h"
#include "settings/TextFile.h"
#include "ui/GdiWin32.h"

namespace pilotune {

namespace {

constexpr wchar_t kFrameClass[] = L"TfrmAProposDeDescription";
constexpr UINT_PTR kTmr = 1;
constexpr UINT kScrollMs = 50;
constexpr int kTextLeft = 10;
constexpr int kTextTop = 200;
constexpr int kTextLetters = 10;
constexpr int kTitleLetters = 19;

int Scaled(int value, int dpi) {
    return MulDiv(value, dpi, 96);
}

// A static or button child in the dialog font (or `font`).
HWND Child(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int x, int y,
           int w, int h, int id, HFONT font) {
    HWND child = CreateWindowExW(0, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                                 w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

} // namespace

bool DescriptionFrame::Create(HWND parent, int x, int y, int width, int height,
                              const std::string& text, int dpi) {
    text_ = Widen(text);
    width_ = width;
    textLeft_ = Scaled(kTextLeft, dpi);
    LOGFONTW lf{};
    lf.lfHeight = -Scaled(kTextLetters, dpi);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN; // a fixed face where Lucida is missing
    lstrcpynW(lf.lfFaceName, L"Lucida Console", LF_FACESIZE);
    font_.Reset(CreateFontIndirectW(&lf));
    if (!Window::Create(kFrameClass, 0, WS_CHILD | WS_VISIBLE, L"", x, y, width, height, parent))
        return false;
    // The text wraps its words at the frame's width and is as high as it needs.
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, font_.Get());
    RECT r{0, 0, width - textLeft_, 0};
    if (!text_.empty())
        DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    scroll_.top = Scaled(kTextTop, dpi);
    scroll_.height = text_.empty() ? 0 : r.bottom - r.top;
    scroll_.frameHeight = height;
    SetTimer(Handle(), kTmr, kScrollMs, nullptr);
    return true;
}

Rect DescriptionFrame::TextBounds() const {
    return {textLeft_, scroll_.top, width_ - textLeft_, scroll_.height};
}

void DescriptionFrame::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right > 0 && client.bottom > 0) {
        // Drawn off screen, then copied at once: the rising text never flickers.
        if (!buffer_) buffer_.Reset(CreateCompatibleBitmap(dc, client.right, client.bottom));
        const MemoryDc memory{CreateCompatibleDC(dc)};
        HDC m = memory.Get();
        HGDIOBJ oldBitmap = SelectObject(m, buffer_.Get());
        FillRect(m, &client, GetSysColorBrush(COLOR_BTNFACE));
        RECT inner = client;
        InflateRect(&inner, -2, -2);
        IntersectClipRect(m, inner.left, inner.top, inner.right, inner.bottom);
        const Rect t = TextBounds();
        RECT text{t.left, t.top, t.Right(), t.Bottom()};
        HGDIOBJ oldFont = SelectObject(m, font_.Get());
        SetBkMode(m, TRANSPARENT);
        SetTextColor(m, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(m, text_.c_str(), static_cast<int>(text_.size()), &text,
                  DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        SelectObject(m, oldFont);
        SelectClipRgn(m, nullptr);
        DrawEdge(m, &client, EDGE_ETCHED, BF_RECT);
        BitBlt(dc, 0, 0, client.right, client.bottom, m, 0, 0, SRCCOPY);
        SelectObject(m, oldBitmap);
    }
    EndPaint(Handle(), &ps);
}

LRESULT DescriptionFrame::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kTmr) {
            scroll_.Step();
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: // a quick second click counts as one more click
        if (TextBounds().Contains(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
            scroll_.Toggle();
            if (scroll_.running)
                SetTimer(Handle(), kTmr, kScrollMs, nullptr);
            else
                KillTimer(Handle(), kTmr);
        }
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

TfrmAProposDe::~TfrmAProposDe() {
    closed_ = nullptr;
}

bool TfrmAProposDe::Open() {
    dpi_ = ScreenDpi();
    auto S = [this](int v) { return Scaled(v, dpi_); };
    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT outer{0, 0, S(505), S(417)};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const SIZE size{outer.right - outer.left, outer.bottom - outer.top};
    const POINT at{(GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
                   (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2};
    logo_.Reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 48, 48, 0)));
    if (!Window::Create(kAProposDeClass, 0, style, kAProposDeCaption, at.x, at.y, size.cx, size.cy,
                        nullptr, ProgramIcon()))
        return false;
    HWND w = Handle();
    LOGFONTW lf{};
    GetObjectW(DialogFont(dpi_), sizeof(lf), &lf);
    lf.lfHeight = -S(kTitleLetters);
    lf.lfWeight = FW_BOLD;
    bold_.Reset(CreateFontIndirectW(&lf));
    std::string version;
    if (!FileVersion(version)) version.clear();
    Child(w, L"STATIC", "Pilotune", SS_LEFT | SS_NOPREFIX, S(48), S(16), S(120), S(24), 0,
          bold_.Get());
    // Right-aligned on the frame's right edge, wide enough for a long version.
    Child(w, L"STATIC", VersionText(version), SS_RIGHT | SS_NOPREFIX, S(233), S(16), S(260), S(24),
          kAProposVersionId, bold_.Get());
    const std::string readme = AnsiToUtf8(ReadTextFile(ProgramFolder() + "Pilotune.txt"));
    frame_.Create(w, S(8), S(48), S(489), S(257), readme, dpi_);
    Child(w, L"STATIC", kAvertissement, SS_LEFT | SS_NOPREFIX, S(16), S(312), S(385), S(73),
          kAProposAvertissementId, DialogFont(dpi_));
    HWND ok = Child(w, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, S(408), S(360), S(89), S(25),
                    IDOK, DialogFont(dpi_));
    ShowWindow(w, SW_SHOW);
    Focus();
    SetFocus(ok);
    return true;
}

void TfrmAProposDe::Focus() {
    if (!Handle()) return;
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
}

void TfrmAProposDe::OnDestroyed() {
    if (closed_) closed_();
}

void TfrmAProposDe::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    const int size = Scaled(33, dpi_), at = Scaled(8, dpi_);
    DrawIconEx(dc, at, at, logo_ ? logo_.Get() : ProgramIcon(), size, size, 0, nullptr, DI_NORMAL);
    EndPaint(Handle(), &ps);
}

LRESULT TfrmAProposDe::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(Handle(), &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) DestroyWindow(Handle());
        return 0;
    case WM_CLOSE:
        DestroyWindow(Handle());
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace pilotune
