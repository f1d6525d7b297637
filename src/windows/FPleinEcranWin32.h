#pragma once
// TfrmPleinEcran: the bar blown up to the whole monitor the bar is on. It
// mirrors the bar's elements by name, paints over a blue gradient only what
// changed, and turns the mouse and keys into the bar's actions.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "schedule/Action.h"
#include "ui/Elements.h"
#include "ui/ScenePainterWin32.h"
#include "ui/WindowWin32.h"

namespace pilotune {

class COption;
class TPilotune;

inline constexpr wchar_t kPleinEcranClass[] = L"TfrmPleinEcran";
inline constexpr wchar_t kPleinEcranCaption[] = L"Pilotune";

// What the view asks of the program around it.
struct PleinEcranLinks {
    // ExecuterAction(action, fromBar, no parameter).
    std::function<void(int action, bool fromBar)> run;
    // Opens the bar's menu of that name (empty: the main menu) at `screen`.
    std::function<void(const std::string& menu, POINT screen, HWND owner)> openMenu;
    // The window is gone (closed by the user or by Close).
    std::function<void()> closed;
};

class TfrmPleinEcran final : public Window {
  public:
    // `bar`: the bar's elements, read by name on every refresh.
    TfrmPleinEcran(const Scene& bar, COption& option, TPilotune& player, PleinEcranLinks links);
    ~TfrmPleinEcran() override;

    // Creates the view over the monitor of `barWindow`, with the bar's
    // pictures, title and time, topmost and kept below the bar, and shows it.
    bool Open(HWND barWindow);
    void Close();
    void Focus();
    void MakeTopmost();

    // Mode indicators from the bar: hazard, copy (AfficheBT), loop count,
    // mode picture.
    void RafraichirVue();
    // The tick: time, title, the mode indicators, play and stop pictures from
    // the bar, then the progress bar for elapsed `position` of `length` seconds.
    void TickRefresh(int position, int length);

    const Scene& ViewScene() const { return scene_; }

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

    void Layout();
    void LayoutProgress();
    void Repaint();
    void Paint();
    void PaintGradient(HDC dc, int width, int height);
    void OnMouseMove(int x, int y);
    void OnLeftPress(int x, int y, bool doubleClick);
    void OnRightUp(int x, int y);
    void AfterPress();
    void CopyIndicators();
    void SetText(const char* stem, const std::string& text);
    int Overflow() const;
    // The scale the design is drawn at (the monitor's, as far as it fits).
    int Dpi() const;

    const Scene& bar_;
    COption& option_;
    TPilotune& player_;
    PleinEcranLinks links_;
    HWND barWindow_ = nullptr;
    Scene scene_;
    Scene painted_; // the scene the window's pixels (or pending paints) show
    ScenePainter painter_;
    int dpi_ = 96;                                // of the monitor the view covers
    int selected_ = ARIEN;                        // the pointer is over the background
    std::optional<std::pair<int, int>> progress_; // last position and length
    BitmapHandle buffer_, gradient_;
    int bufferW_ = 0, bufferH_ = 0;
};

} // namespace pilotune
