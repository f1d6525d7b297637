#include "bar/FPrincipaleWin32.h"

#include <windowsx.h>

#include <cstdlib>

#include "base/EncodingWin32.h"
#include "player/Winamp.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "ui/GdiWin32.h"
#include "ui/PicturesWin32.h"
#include "ui/PopupMenuWin32.h"

namespace pilotune {

namespace {
constexpr UINT kTickMs = kPlaybackTickMs;
constexpr int kSeekBand = 10; // pixels around the progress bar's top that seek

bool IsTitle(const Element* e) {
    return e && (e->name == "lblTitreB" || e->name == "lblTitreN");
}
bool IsTime(const Element* e) {
    return e && (e->name == "lblDureeB" || e->name == "lblDureeN");
}

// Where the pointer was when the message being handled was posted: input
// queued quickly (a press, moves and a release at once) is read in order, not
// from where the pointer is by now.
POINT MessagePoint() {
    const DWORD at = GetMessagePos();
    return {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
}

Rect RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
} // namespace

TfrmPrincipale::TfrmPrincipale(BarLogic& logic, BarHost& host)
    : logic_(logic), host_(host), painter_([this](HDC dc, const Element& e) {
          if (e.name == "imgFond")
              host_.DrawBackdrop(dc, e);
          else
              DrawPicture(dc, e.picture, e.bounds);
      }) {}

bool TfrmPrincipale::Create(int left, int top) {
    // Empty loop count and progress, then the layout for the stored place.
    BarState& bar = logic_.state;
    bar.twins.nbBoucle.SetText("");
    bar.twins.avance.B().bounds.width = 0;
    bar.twins.avance.N().bounds.width = 0;
    bar.hideCounter = 0;
    // A stored place off every screen (another resolution, a monitor gone,
    // a hand-edited file) would hide the bar for good: it comes back onto the
    // nearest monitor.
    const BarPlace place = PlaceStoredBar(DisplayMonitors(), left, top);
    const Rect& r = place.bounds;
    // A tool window has no taskbar button; topmost from the start. Its own
    // device context: the bar repaints every second, and a window without
    // one has a context made up for it at each paint.
    const WindowClass cls{.name = kBarClass,
                          .icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)),
                          .style = CS_DBLCLKS | CS_OWNDC};
    if (!Window::Create(cls, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, kBarCaption, r.left, r.top,
                        r.width, r.height))
        return false;
    tooltip_.Attach(Handle());
    Rest(place);
    return true;
}

void TfrmPrincipale::Show() {
    StartTick();
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void TfrmPrincipale::Invalidate() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmPrincipale::StopTick() {
    KillTimer(Handle(), kTmr);
}
void TfrmPrincipale::StartTick() {
    SetTimer(Handle(), kTmr, kTickMs, nullptr);
}

void TfrmPrincipale::SetDpi(int dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    BarState& bar = logic_.state;
    if (dpi != dpi_) bar.twins = BarTwins(bar.scene, ScaleToDpi(1, dpi));
    dpi_ = dpi;
    const int full = ScaleToDpi(kBarHeight, dpi);
    const bool hidden = bar.height < bar.fullHeight; // auto-hidden to a line
    bar.fullHeight = full;
    if (!hidden) bar.height = full;
}

void TfrmPrincipale::Rest(const BarPlace& place) {
    SetDpi(place.dpi);
    const Rect& r = place.bounds;
    ArrangeBar(logic_.state.scene, {r.width, r.height}, dpi_);
    width_ = r.width;
    SetWindowPos(Handle(), nullptr, r.left, r.top, r.width, logic_.state.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, FALSE);
}

// Windows moved the bar to a monitor of another DPI, or the user changed the
// scale. During a drag only the sizes follow (the drop places the bar).
void TfrmPrincipale::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dragging_) {
        SetDpi(dpi);
        ArrangeBar(logic_.state.scene, {width_, logic_.state.fullHeight}, dpi_);
        SetWindowPos(Handle(), nullptr, 0, 0, width_, logic_.state.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(Handle(), nullptr, FALSE);
        return;
    }
    const Rect at{suggested.left, suggested.top, suggested.right - suggested.left,
                  suggested.bottom - suggested.top};
    std::vector<Screen> monitors = DisplayMonitors();
    const int i = MonitorHolding(monitors, at);
    if (i >= 0) monitors[static_cast<std::size_t>(i)].dpi = dpi; // as Windows says
    Rest(DropBar(monitors, at));
    host_.BarMoved(); // a new size: the background picture is taken again
}

void TfrmPrincipale::OnTick() {
    const int before = logic_.state.height;
    logic_.monitor.Tick();
    if (!Handle()) return; // the tick closed the program
    if (logic_.state.height != before) {
        SetWindowPos(Handle(), nullptr, 0, 0, width_, logic_.state.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Most ticks change nothing that shows, and most others only the time
    // and the progress: only what changed is painted again.
    if (FitInfoLabel()) {
        InvalidateRect(Handle(), nullptr, FALSE);
    } else if (!(logic_.state.scene == painted_)) {
        InvalidateChanged();
    }
}

// One region, one call to the window system, whatever the areas.
void TfrmPrincipale::InvalidateChanged() {
    const std::vector<Rect> changed = ChangedAreas(painted_, logic_.state.scene, 0);
    if (changed.empty()) return;
    std::vector<char> data(sizeof(RGNDATAHEADER) + changed.size() * sizeof(RECT));
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    rgn->rdh.dwSize = sizeof(RGNDATAHEADER);
    rgn->rdh.iType = RDH_RECTANGLES;
    rgn->rdh.nCount = static_cast<DWORD>(changed.size());
    auto* rects = reinterpret_cast<RECT*>(rgn->Buffer);
    for (std::size_t i = 0; i < changed.size(); ++i) {
        const Rect& r = changed[i];
        rects[i] = {r.left - Reach(), r.top - Reach(), r.Right() + Reach(), r.Bottom() + Reach()};
        UnionRect(&rgn->rdh.rcBound, &rgn->rdh.rcBound, &rects[i]);
    }
    const GdiObject<HRGN> region{ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rgn)};
    if (region) InvalidateRgn(Handle(), region.Get(), FALSE);
}

void TfrmPrincipale::HideSelection() {
    Element& selection = logic_.state.elements.selection;
    if (selection.visible) {
        selection.visible = false;
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void TfrmPrincipale::OnMouseMove(int x, int y) {
    logic_.monitor.MouseMoved();
    Scene& scene = logic_.state.scene;
    RECT client{};
    GetClientRect(Handle(), &client);
    const bool inside = x >= 0 && y >= 0 && x < client.right && y < client.bottom;
    const Element* hit = inside ? scene.HitTest(x, y) : nullptr;
    tooltip_.Set(hit ? hit->hint : std::string());
    const auto action = hit ? ElementAction(hit->name) : std::nullopt;
    Element& selection = logic_.state.elements.selection;
    if (action) {
        const Rect target = scene[HighlightTarget(hit->name)].bounds;
        const Rect framed = HighlightFrame(target, dpi_);
        if (!selection.visible || !(selection.bounds == framed)) {
            selection.bounds = framed;
            selection.visible = true;
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        if (GetCapture() != Handle()) SetCapture(Handle());
        selected_ = *action;
    } else {
        if (GetCapture() == Handle()) ReleaseCapture();
        HideSelection();
        selected_ = ARIEN;
    }
}

void TfrmPrincipale::Seek(int x, int y) {
    BarTwins& twins = logic_.state.twins;
    const int top = twins.avance.B().bounds.top;
    const int left = twins.bord1.B().bounds.left;
    const int right = twins.bord2.B().bounds.left;
    if (std::abs(y - top) < S(kSeekBand) && x > left && x < right) {
        const long long d = logic_.state.player.Duree();
        logic_.state.player.AllerA(static_cast<int>(d * (x - left) / (right - left) + 2));
    }
}

void TfrmPrincipale::OnLeftDown(int x, int y) {
    const Element* hit = logic_.state.scene.HitTest(x, y);
    if (selected_ == ARIEN && IsTitle(hit)) {
        BeginDrag();
        return;
    }
    if (selected_ == ARIEN && IsTime(hit)) {
        logic_.dispatcher.ExecuterAction(AFFICHENEGATIF, false);
    } else if (selected_ == RECULER || selected_ == AVANCER) {
        logic_.dispatcher.ExecuterAction(selected_, true);
    } else if (selected_ == ARIEN) {
        Seek(x, y);
    } else {
        logic_.dispatcher.ExecuterAction(selected_, false);
    }
    if (Handle()) HideSelection();
}

// The drag is the bar's own: the window follows the pointer while the button
// is down and the mouse captured, and comes to rest on its screen at the drop.
// No system move loop, so nothing runs nested inside a drag.
void TfrmPrincipale::BeginDrag() {
    if (logic_.dispatcher.PositionLocked()) return;
    RECT r{};
    GetWindowRect(Handle(), &r);
    dragFrom_ = MessagePoint();
    dragOrigin_ = {r.left, r.top};
    dragging_ = true;
    SetCapture(Handle());
}

void TfrmPrincipale::DragTo(POINT cursor) {
    SetWindowPos(Handle(), nullptr, dragOrigin_.x + cursor.x - dragFrom_.x,
                 dragOrigin_.y + cursor.y - dragFrom_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmPrincipale::EndDrag() {
    if (!dragging_) return;
    dragging_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    if (!Handle()) return;
    // On the monitor that holds most of the bar, at its DPI.
    Rect at = RectOf(Handle());
    at.height = logic_.state.fullHeight;
    Rest(DropBar(DisplayMonitors(), at));
    host_.BarMoved();
}

void TfrmPrincipale::OnRightUp(int x, int y) {
    HideSelection();
    const Element* hit = logic_.state.scene.HitTest(x, y);
    std::string menu =
        hit && !hit->popupMenu.empty() ? hit->popupMenu : logic_.state.menus.principale.Name();
    if (GetCapture() == Handle()) ReleaseCapture();
    POINT screen{x, y};
    ClientToScreen(Handle(), &screen);
    OpenMenu(menu, screen);
}

void TfrmPrincipale::OpenMenu(const std::string& menuName, POINT screen, HWND owner) {
    const Menu& menu = logic_.MenuToOpen(menuName);
    const std::string chosen = TrackMenu(menu, owner ? owner : Handle(), screen);
    if (!chosen.empty()) logic_.MenuClick(menu.Name(), chosen);
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

// The schedule's label takes the width of its text ("0:03", "10:00:00"...);
// the title gives up what it needs. The text is measured again only when it
// or its font changed: under Wine every font put into a window's context
// makes the X library read the user's resource files. The repeat indicator,
// once the player tells its state, takes its place the same way.
bool TfrmPrincipale::FitInfoLabel() {
    const bool repeat = logic_.state.twins.repeter.B().visible;
    const bool moved = repeat != repeatShown_;
    if (moved) {
        repeatShown_ = repeat;
        ArrangeBar(logic_.state.scene, {width_, logic_.state.fullHeight}, dpi_);
    }
    Twin& info = logic_.state.twins.info;
    const Element& e = info.B();
    if (infoWidth_ < 0 || e.text != infoText_ || !(e.font == infoFont_)) {
        HDC dc = GetDC(Handle());
        if (!dc) return moved;
        const std::wstring text = Widen(e.text);
        SIZE extent{};
        HGDIOBJ old = SelectObject(dc, painter_.FontFor(e.font));
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(Handle(), dc);
        infoText_ = e.text;
        infoFont_ = e.font;
        infoWidth_ = static_cast<int>(extent.cx) + 1;
    }
    if (infoWidth_ == e.bounds.width) return moved;
    info.SetBounds({e.bounds.left, e.bounds.top, infoWidth_, e.bounds.height});
    ArrangeBar(logic_.state.scene, {width_, logic_.state.fullHeight}, dpi_);
    return true;
}

// The rectangles of the update region that BeginPaint put into `dc`, in
// client coordinates (read from the context: no call to the window system);
// `box` alone when they cannot be read or are many.
std::vector<RECT> TfrmPrincipale::UpdateAreas(HDC dc, const RECT& box) const {
    GdiObject<HRGN> region{CreateRectRgn(0, 0, 0, 0)};
    POINT origin{0, 0};
    if (!region || GetRandomRgn(dc, region.Get(), SYSRGN) != 1 ||
        !ClientToScreen(Handle(), &origin))
        return {box};
    OffsetRgn(region.Get(), -origin.x, -origin.y);
    const DWORD bytes = GetRegionData(region.Get(), 0, nullptr);
    std::vector<char> data(bytes);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    if (bytes < sizeof(RGNDATAHEADER) || GetRegionData(region.Get(), bytes, rgn) != bytes ||
        rgn->rdh.nCount == 0 || rgn->rdh.nCount > 16)
        return {box};
    const auto* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
    std::vector<RECT> areas;
    for (DWORD i = 0; i < rgn->rdh.nCount; ++i) {
        RECT r{};
        if (IntersectRect(&r, &rects[i], &box)) areas.push_back(r);
    }
    return areas;
}

void TfrmPrincipale::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client{};
    GetClientRect(Handle(), &client);
    const std::vector<RECT> areas =
        FitInfoLabel() ? std::vector<RECT>{client} : UpdateAreas(dc, ps.rcPaint);
    painter_.PaintAreas(dc, {client.right, client.bottom}, areas, host_.WindowColour(),
                        logic_.state.scene, Reach());
    painted_ = logic_.state.scene;
    EndPaint(Handle(), &ps);
}

void TfrmPrincipale::SavePosition() {
    if (positionSaved_) return;
    positionSaved_ = true;
    RECT r{};
    GetWindowRect(Handle(), &r);
    logic_.state.store.WriteInteger(kSectionOption, "PositionLeft", r.left, true);
    logic_.state.store.WriteInteger(kSectionOption, "PositionTop", r.top, true);
}

void TfrmPrincipale::CloseBar() {
    if (closing_ || !Handle()) return;
    closing_ = true;
    StopTick();
    host_.BarClosing();
    SavePosition();
    DestroyWindow(Handle());
}

LRESULT TfrmPrincipale::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kTmr) OnTick();
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_) {
            DragTo(MessagePoint());
        } else {
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: // the class asks for double clicks: the second press acts too
        OnLeftDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        // The drop point is where the button came up, whatever moves were merged.
        if (dragging_) DragTo(MessagePoint());
        EndDrag();
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        HideSelection();
        return 0;
    case WM_RBUTTONUP:
        OnRightUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle()) {
            EndDrag();
            HideSelection();
            selected_ = ARIEN;
        }
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) host_.BarActivated();
        return 0;
    case WM_CLOSE:
        CloseBar();
        return 0;
    case WM_DESTROY:
        host_.BarDestroyed();
        break;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) {
            host_.BarClosing();
            SavePosition();
            host_.SessionEnding();
        }
        return 0;
    }
    if (auto handled = host_.OtherMessage(msg, wParam, lParam)) return *handled;
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace pilotune
