#include "windows/FPleinEcranWin32.h"

#include <windowsx.h>

#include "base/EncodingWin32.h"
#include "player/Winamp.h"
#include "settings/Option.h"
#include "ui/WindowWin32.h"
#include "ui/DialogWin32.h"
#include "ui/GdiWin32.h"
#include "ui/Layout.h"
#include "ui/PicturesWin32.h"
#include "windows/PleinEcranScene.h"

namespace pilotune {

namespace {

// How far a one-line label of the view may be drawn past its sides (a
// remaining time is wider than the time label).
constexpr int kLabelOverflow = 64;

bool FaceInstalled(const std::string& face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring wide = Widen(face);
    lstrcpynW(lf.lfFaceName, wide.c_str(), LF_FACESIZE);
    HDC dc = GetDC(nullptr);
    bool found = false;
    EnumFontFamiliesExW(
        dc, &lf,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

// The view's rounded bold face, or the closest bold face this system has
// (Wine has none of the rounded ones).
const std::string& ViewFace() {
    static const std::string face = [] {
        for (const char* candidate :
             {kViewFace, "Verdana", "DejaVu Sans", "Tahoma", "Arial", "Liberation Sans"})
            if (FaceInstalled(candidate)) return std::string(candidate);
        return std::string(kViewFace);
    }();
    return face;
}

RECT MonitorOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info))
        return info.rcMonitor;
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

} // namespace

TfrmPleinEcran::TfrmPleinEcran(const Scene& bar, COption& option, TPilotune& player,
                               PleinEcranLinks links)
    : bar_(bar), option_(option), player_(player), links_(std::move(links)),
      scene_(BuildViewScene()),
      painter_([](HDC dc, const Element& e) { DrawPicture(dc, e.picture, e.bounds); }) {
    for (const Element& e : scene_.Elements())
        if (e.kind == ElementKind::Label) scene_[e.name].font.face = ViewFace();
}

TfrmPleinEcran::~TfrmPleinEcran() {
    links_.closed = nullptr; // a window destroyed with its object tells no one
}

bool TfrmPleinEcran::Open(HWND barWindow) {
    barWindow_ = barWindow;
    for (const char* button :
         {"imgRecule", "imgJoue", "imgPause", "imgStop", "imgAvance", "imgFerme"})
        scene_[button].picture = bar_[button].picture;
    SetText("lblTitre", bar_["lblTitreB"].text);
    SetText("lblDuree", bar_["lblDureeB"].text);
    RafraichirVue();
    const RECT m = MonitorOf(barWindow);
    if (!Window::Create(kPleinEcranClass, WS_EX_TOPMOST, WS_POPUP | WS_CLIPCHILDREN,
                        kPleinEcranCaption, m.left, m.top, m.right - m.left, m.bottom - m.top,
                        nullptr, ProgramIcon()))
        return false;
    dpi_ = WindowDpi(Handle());
    Layout();
    painted_ = scene_;
    MakeTopmost();
    ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    UpdateWindow(Handle());
    return true;
}

void TfrmPleinEcran::Close() {
    if (Handle()) DestroyWindow(Handle());
}

void TfrmPleinEcran::Focus() {
    if (!Handle()) return;
    SetForegroundWindow(Handle());
    SetFocus(Handle());
}

void TfrmPleinEcran::MakeTopmost() {
    if (Handle()) SetTopMost(Handle(), kTopMost);
}

void TfrmPleinEcran::OnDestroyed() {
    if (links_.closed) links_.closed();
}

int TfrmPleinEcran::Overflow() const {
    return ScaleToDpi(kLabelOverflow, Dpi());
}

int TfrmPleinEcran::Dpi() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return ViewDpi(client.right, client.bottom, dpi_);
}

void TfrmPleinEcran::SetText(const char* stem, const std::string& text) {
    Twin(scene_, stem).SetText(text);
}

void TfrmPleinEcran::RafraichirVue() {
    CopyIndicators();
    Repaint();
}

void TfrmPleinEcran::CopyIndicators() {
    SetText("lblHazard", bar_["lblHazardB"].text);
    Twin(scene_, "lblCopier").SetVisible(option_.AfficheBT);
    SetText("lblNbBoucle", bar_["lblNbBoucleB"].text);
    scene_["imgSens"].picture = bar_["imgSens"].picture;
    SetText("lblRepeter", bar_["lblRepeterB"].text);
    Twin(scene_, "lblRepeter").SetVisible(bar_["lblRepeterB"].visible);
}

void TfrmPleinEcran::TickRefresh(int position, int length) {
    SetText("lblDuree", bar_["lblDureeB"].text);
    SetText("lblTitre", bar_["lblTitreB"].text);
    // The indicators too: the loop count goes down on the tick itself, and
    // the modes change from anywhere (a shortcut, the schedule, a second start).
    CopyIndicators();
    scene_["imgJoue"].picture = bar_["imgJoue"].picture;
    scene_["imgStop"].picture = bar_["imgStop"].picture;
    progress_ = {position, length};
    LayoutProgress();
    Repaint();
}

void TfrmPleinEcran::LayoutProgress() {
    if (!progress_) return;
    const auto [position, length] = *progress_;
    const auto bar = ViewProgress(position, length, scene_["shaBord1B"].bounds.left,
                                  scene_["shaBord2B"].bounds.left, option_.AffichageNeg);
    if (!bar) return;
    const int dpi = Dpi();
    Twin avance(scene_, "shaAvance", ScaleToDpi(kViewProgressShadowDx, dpi),
                ScaleToDpi(kViewProgressShadowDy, dpi));
    const Rect& old = avance.B().bounds;
    avance.SetBounds({bar->left, old.top, bar->width, old.height});
}

void TfrmPleinEcran::Layout() {
    RECT client{};
    GetClientRect(Handle(), &client);
    LayoutView(scene_, client.right, client.bottom, dpi_);
    LayoutProgress();
    scene_["shaSelection"].visible = false;
    InvalidateRect(Handle(), nullptr, FALSE);
    painted_ = scene_;
}

// Only the places that changed since the last call are repainted.
void TfrmPleinEcran::Repaint() {
    if (!Handle()) return;
    for (const Rect& r : ChangedAreas(painted_, scene_, Overflow())) {
        const RECT area{r.left, r.top, r.Right(), r.Bottom()};
        InvalidateRect(Handle(), &area, FALSE);
    }
    painted_ = scene_;
}

void TfrmPleinEcran::PaintGradient(HDC dc, int width, int height) {
    // Solid bands, each filled in copy mode.
    for (int i = 0; i < kGradientBands; ++i) {
        const GradientBand band = ViewGradientBand(i, height);
        if (band.bottom <= band.top) continue;
        const RECT r{0, band.top, width, band.bottom};
        SetDCBrushColor(dc, ToColorRef(band.color));
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
}

void TfrmPleinEcran::Paint() {
    // The region to paint, taken before BeginPaint validates it.
    GdiObject<HRGN> region{CreateRectRgn(0, 0, 0, 0)};
    const bool hasRegion = GetUpdateRgn(Handle(), region.Get(), FALSE) > NULLREGION;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client{};
    GetClientRect(Handle(), &client);
    const int w = client.right, h = client.bottom;
    if (w > 0 && h > 0 && hasRegion) {
        const MemoryDc memory{CreateCompatibleDC(dc)};
        const MemoryDc background{CreateCompatibleDC(dc)};
        if (!buffer_ || bufferW_ != w || bufferH_ != h) {
            buffer_.Reset(CreateCompatibleBitmap(dc, w, h));
            gradient_.Reset(CreateCompatibleBitmap(dc, w, h));
            bufferW_ = w;
            bufferH_ = h;
            HGDIOBJ old = SelectObject(background.Get(), gradient_.Get());
            PaintGradient(background.Get(), w, h);
            SelectObject(background.Get(), old);
        }
        HGDIOBJ oldBuffer = SelectObject(memory.Get(), buffer_.Get());
        HGDIOBJ oldGradient = SelectObject(background.Get(), gradient_.Get());
        SelectClipRgn(memory.Get(), region.Get());
        const RECT& box = ps.rcPaint;
        BitBlt(memory.Get(), box.left, box.top, box.right - box.left, box.bottom - box.top,
               background.Get(), box.left, box.top, SRCCOPY);
        for (const Element& e : scene_.Elements()) {
            if (!e.visible) continue;
            Rect reach = e.bounds;
            if (e.kind == ElementKind::Label && !e.clip)
                reach = {reach.left - Overflow(), reach.top, reach.width + 2 * Overflow(),
                         reach.height};
            const RECT r{reach.left, reach.top, reach.Right(), reach.Bottom()};
            if (RectInRegion(region.Get(), &r)) painter_.PaintElement(memory.Get(), e);
        }
        SelectClipRgn(memory.Get(), nullptr);
        BitBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, memory.Get(),
               box.left, box.top, SRCCOPY);
        SelectObject(background.Get(), oldGradient);
        SelectObject(memory.Get(), oldBuffer);
    }
    EndPaint(Handle(), &ps);
}

void TfrmPleinEcran::OnMouseMove(int x, int y) {
    const Element* hit = scene_.HitTest(x, y);
    const auto hover = ViewHoverOf(hit ? std::string_view(hit->name) : std::string_view());
    if (!hover) return; // titles and shapes leave the selection as it is
    selected_ = hover->action;
    Element& selection = scene_["shaSelection"];
    if (hover->framed.empty()) {
        selection.visible = false;
    } else {
        selection.bounds = SelectionAround(scene_[hover->framed].bounds);
        selection.visible = true;
    }
    Repaint();
}

void TfrmPleinEcran::OnLeftPress(int x, int y, bool doubleClick) {
    const Element* hit = scene_.HitTest(x, y);
    const std::string name = hit ? hit->name : std::string();
    if (ClosesOnClick(name) || (doubleClick && ClosesOnDoubleClick(name))) {
        Close();
        return;
    }
    if (selected_ == RECULER || selected_ == AVANCER) {
        links_.run(selected_, true);
    } else if (selected_ == FERMERPROG) {
        Close(); // the close picture closes only the view
        return;
    } else if (selected_ == ARIEN) {
        if (auto second = ViewSeekSecond(scene_, x, y, [this] { return player_.Duree(); }))
            player_.AllerA(*second);
    } else {
        links_.run(selected_, false);
    }
    AfterPress();
}

void TfrmPleinEcran::AfterPress() {
    if (!Handle()) return; // the action closed the view
    scene_["shaSelection"].visible = false;
    RafraichirVue();
}

void TfrmPleinEcran::OnRightUp(int x, int y) {
    const Element* hit = scene_.HitTest(x, y);
    const std::string menu = hit ? hit->popupMenu : std::string();
    POINT screen{x, y};
    ClientToScreen(Handle(), &screen);
    links_.openMenu(menu, screen, Handle());
    AfterPress();
}

LRESULT TfrmPleinEcran::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_DPICHANGED: {
        // The view keeps covering its monitor; its design scales anew.
        dpi_ = LOWORD(wParam);
        const RECT m = MonitorOf(Handle());
        SetWindowPos(Handle(), nullptr, m.left, m.top, m.right - m.left, m.bottom - m.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        Layout();
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        // Whatever raised the view (a click, the focus), the bar goes back above it.
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOZORDER) && barWindow_ && IsWindow(barWindow_))
            SetWindowPos(barWindow_, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    }
    case WM_MOUSEMOVE:
        OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnLeftPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), msg == WM_LBUTTONDBLCLK);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        AfterPress();
        return 0;
    case WM_RBUTTONUP:
        OnRightUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            Close();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'j') player_.AfficherChercheur();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace pilotune
