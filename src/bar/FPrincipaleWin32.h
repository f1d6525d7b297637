#pragma once
// TfrmPrincipale: the control bar's window. It paints the bar's elements and
// turns mouse, timer and window messages into calls of the bar's logic; the
// program around it (BarHost) does the rest.
#include <windows.h>

#include <string>
#include <vector>

#include "bar/BarHostWin32.h"
#include "bar/BarLogic.h"
#include "schedule/Action.h"
#include "ui/ScenePainterWin32.h"
#include "ui/TooltipWin32.h"
#include "ui/WindowWin32.h"

namespace pilotune {

inline constexpr wchar_t kBarClass[] = L"TfrmPrincipale";
inline constexpr wchar_t kBarCaption[] = L"Pilotune Fenetre";

class TfrmPrincipale final : public Window {
  public:
    TfrmPrincipale(BarLogic& logic, BarHost& host);

    // Creates the bar's window at (left, top), laid out for the screen,
    // topmost, not yet shown.
    bool Create(int left, int top);
    // Starts the playback tick and shows the bar without activating it.
    void Show();

    void Invalidate();
    void StopTick();
    void StartTick();
    // Opens one of the bar's menus by its name (any other name: the main
    // menu) at a screen point, owned by `owner` (null: the bar), and runs the
    // item chosen. The bar, the tray icon and the full-screen view open them here.
    void OpenMenu(const std::string& menuName, POINT screen, HWND owner = nullptr);
    // The closing steps: the host's, the position written, the window gone.
    void CloseBar();

  private:
    enum TimerId : UINT_PTR { kTmr = 1 };

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void OnTick();
    void OnMouseMove(int x, int y);
    void OnLeftDown(int x, int y);
    void OnRightUp(int x, int y);
    void HideSelection();
    void BeginDrag();
    void DragTo(POINT cursor);
    void EndDrag();
    // Lays the bar out for `place` and moves its window there.
    void Rest(const BarPlace& place);
    void SetDpi(int dpi);
    void OnDpiChanged(int dpi, const RECT& suggested);
    int S(int design) const { return ScaleToDpi(design, dpi_); }
    void Seek(int x, int y);
    void Paint();
    // Invalidates the places of what changed since the last paint.
    void InvalidateChanged();
    std::vector<RECT> UpdateAreas(HDC dc, const RECT& box) const;
    // Sizes the INFO label to its text; true when that moved other elements.
    bool FitInfoLabel();
    // How far a picture's shadow or a label's glyphs may reach past bounds.
    int Reach() const { return S(2); }
    void SavePosition();

    BarLogic& logic_;
    BarHost& host_;
    ScenePainter painter_;
    Tooltip tooltip_;
    int selected_ = ARIEN; // the mouse is over the background
    bool closing_ = false;
    bool positionSaved_ = false;
    bool dragging_ = false;
    POINT dragFrom_{}, dragOrigin_{};
    int width_ = 0;
    int dpi_ = kDesignDpi; // of the monitor the bar is on
    Scene painted_;        // the scene as last painted
    // The INFO label's text and font as last measured, and the width found.
    std::string infoText_;
    Font infoFont_;
    int infoWidth_ = -1;
    bool repeatShown_ = false; // the layout made room for the repeat indicator
};

} // namespace pilotune
