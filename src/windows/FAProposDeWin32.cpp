#include "windows/FAProposDeWin32.h"

#include <windowsx.h>

#include "base/EncodingWin32.h"
#include "base/FailureLogWin32.h"
#include "base/PathsWin32.h"
#include "base/VersionWin32.h"
#include "settings/SettingsWin32.h"
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
    Destroy();
}

bool TfrmAProposDe::Open() {
    if (!Create(kAProposDeClass, {.caption = Narrow(kAProposDeCaption), .client = {505, 436}}))
        return false;
    const int dpi = Dpi();
    LOGFONTW lf{};
    GetObjectW(Font(), sizeof(lf), &lf);
    lf.lfHeight = -Scale(kTitleLetters);
    lf.lfWeight = FW_BOLD;
    bold_.Reset(CreateFontIndirectW(&lf));
    const int logo = Scale(33);
    logo_.Reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, logo, logo, 0)));
    imgLogo_.Create(*this, {8, 8, 33, 33});
    imgLogo_.SetIcon(logo_ ? logo_.Get() : ProgramIcon());
    lblTitre_.Create(*this, "Pilotune", {48, 16, 120, 24});
    lblTitre_.SetFont(bold_.Get());
    std::string version;
    if (!FileVersion(version)) version.clear();
    // Right-aligned on the frame's right edge, wide enough for a long version.
    lblVersion_.Create(*this, VersionText(version), {233, 16, 260, 24}, kAProposVersionId,
                       kAnchorTopLeft, Static::Right);
    lblVersion_.SetFont(bold_.Get());
    const std::string readme =
        AnsiToUtf8(ReadTextFile(ProgramFolder() + "Pilotune.txt", ProgramFiles()));
    frame_.Create(Handle(), Scale(8), Scale(48), Scale(489), Scale(257), readme, dpi);
    Place(frame_.Handle(), {8, 48, 489, 257});
    lblAvertissement_.Create(*this, kAvertissement, {16, 312, 385, 73}, kAProposAvertissementId);
    lblLog_.Create(*this, LogPlaceText(FailureLogPath()), {16, 392, 481, 36}, kAProposLogId);
    btOK_.Create(*this, "OK", {408, 360, 89, 25}, IDOK, kAnchorTopLeft, true);
    ShowModeless(btOK_.Handle());
    Focus();
    return true;
}

void TfrmAProposDe::Focus() {
    if (!Handle()) return;
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
}

void TfrmAProposDe::OnDestroyed() {
    Dialog::OnDestroyed();
    if (closed_) closed_();
}

} // namespace pilotune
