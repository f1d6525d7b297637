#include "windows/FAffichageWin32.h"

#include "player/Winamp.h"

#include "base/EncodingWin32.h"
#include "ui/GdiWin32.h"
#include "ui/ScenePainterWin32.h"

namespace pilotune {

namespace {
constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT kFadeStepMs = 30;
constexpr DWORD kExStyle =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

// The system's message face, larger and smoothed, at `dpi`.
FontHandle DisplayFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW lf = metrics.lfMessageFont;
    lf.lfHeight = -ScaleToDpi(kAffichageFontHeight, dpi);
    lf.lfWidth = 0;
    lf.lfWeight = FW_SEMIBOLD;
    lf.lfQuality = CLEARTYPE_QUALITY;
    return FontHandle(CreateFontIndirectW(&lf));
}

RECT ToRect(const Rect& r) {
    return {r.left, r.top, r.Right(), r.Bottom()};
}

void Fill(HDC dc, const Rect& r, std::uint32_t colour) {
    SetDCBrushColor(dc, ToColorRef(colour));
    const RECT area = ToRect(r);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, const Rect& r, std::uint32_t colour, int width) {
    Fill(dc, {r.left, r.top, r.width, width}, colour);
    Fill(dc, {r.left, r.Bottom() - width, r.width, width}, colour);
    Fill(dc, {r.left, r.top, width, r.height}, colour);
    Fill(dc, {r.Right() - width, r.top, width, r.height}, colour);
}
} // namespace

TfrmAffichage::~TfrmAffichage() {
    Destroy();
}

void TfrmAffichage::ShowVolume(int level, HWND barWindow, int corner) {
    volume_ = true;
    percent_ = VolumePercent(level);
    text_ = PercentText(percent_);
    Show(barWindow, corner);
}

void TfrmAffichage::ShowTitle(const std::string& title, HWND barWindow, int corner) {
    volume_ = false;
    text_ = title;
    Show(barWindow, corner);
}

void TfrmAffichage::Show(HWND barWindow, int corner) {
    if (!Handle() && !Create(kAffichageClass, kExStyle, WS_POPUP, L"Pilotune", 0, 0, 0, 0)) return;
    barWindow_ = barWindow;
    corner_ = corner;
    Arrange();
    alpha_ = FadeAlpha(0);
    SetLayeredWindowAttributes(Handle(), 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
    shownAt_ = GetTickCount64();
    SetTimer(Handle(), kFadeTimer, kFadeStepMs, nullptr);
}

void TfrmAffichage::Arrange() {
    const HMONITOR monitor = MonitorFromWindow(barWindow_, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(monitor, &info)) work = info.rcWork;
    const int dpi = MonitorDpi(monitor);
    if (dpi != dpi_ || !font_) {
        dpi_ = dpi;
        font_ = DisplayFont(dpi_);
    }
    const Rect area{work.left, work.top, work.right - work.left, work.bottom - work.top};
    if (volume_) {
        const SIZE widest = MeasureText(font_.Get(), PercentText(100));
        layout_ = LayoutVolume(percent_, {widest.cx, widest.cy}, dpi_);
    } else {
        const SIZE extent = MeasureText(font_.Get(), text_.empty() ? " " : text_);
        layout_ = LayoutTitle({extent.cx, extent.cy}, area.width / 2, dpi_);
    }
    const Rect at = PlaceAtCorner(area, layout_.window, corner_, dpi_);
    SetWindowPos(Handle(), HWND_TOPMOST, at.left, at.top, at.width, at.height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TfrmAffichage::Fade() {
    const int alpha = FadeAlpha(static_cast<long long>(GetTickCount64() - shownAt_));
    if (alpha == alpha_) return;
    alpha_ = alpha;
    if (alpha_ > 0) {
        SetLayeredWindowAttributes(Handle(), 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
        return;
    }
    KillTimer(Handle(), kFadeTimer);
    ShowWindow(Handle(), SW_HIDE);
}

void TfrmAffichage::Paint(HDC dc) {
    const Rect all{0, 0, layout_.window.width, layout_.window.height};
    // Drawn off screen first, then copied: the window never shows half a change.
    MemoryDc memory{CreateCompatibleDC(dc)};
    BitmapHandle bitmap{CreateCompatibleBitmap(dc, all.width, all.height)};
    if (!memory || !bitmap) return;
    const HGDIOBJ oldBitmap = SelectObject(memory.Get(), bitmap.Get());
    HDC m = memory.Get();
    const int line = ScaleToDpi(1, dpi_);
    Fill(m, all, kAffichageFond);
    Frame(m, all, kAffichageCadre, line);
    if (volume_) {
        Frame(m, layout_.gauge, kAffichageCadre, line);
        Fill(m, layout_.level, kAffichageNiveau);
    }
    const HGDIOBJ oldFont = SelectObject(m, font_.Get());
    SetBkMode(m, TRANSPARENT);
    SetTextColor(m, ToColorRef(kWhite));
    RECT r = ToRect(layout_.text);
    const std::wstring text = Widen(text_);
    DrawTextW(m, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER |
                  (volume_ ? DT_RIGHT : DT_END_ELLIPSIS | DT_LEFT));
    SelectObject(m, oldFont);
    BitBlt(dc, 0, 0, all.width, all.height, m, 0, 0, SRCCOPY);
    SelectObject(m, oldBitmap);
}

LRESULT TfrmAffichage::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_TIMER:
        if (wParam == kFadeTimer) Fade();
        return 0;
    case WM_DPICHANGED:
        // Its place and size come from its monitor's corner, not from the
        // rectangle Windows suggests.
        if (static_cast<int>(LOWORD(wParam)) != dpi_ && IsWindowVisible(Handle())) {
            Arrange();
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace pilotune
