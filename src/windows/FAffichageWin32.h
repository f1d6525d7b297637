#pragma once
// TfrmAffichage: the on-screen display. A small layered window at a corner of
// the bar's monitor shows the volume or a new title for two seconds, then
// fades out; a new change replaces it at once. It never takes the focus or
// the mouse: click-through, topmost, no taskbar button, never activated.
#include <windows.h>

#include <string>

#include "base/HandleWin32.h"
#include "ui/WindowWin32.h"
#include "windows/Affichage.h"

namespace pilotune {

inline constexpr wchar_t kAffichageClass[] = L"TfrmAffichage";

class TfrmAffichage final : public Window {
  public:
    TfrmAffichage() = default;
    ~TfrmAffichage() override;

    // The player's volume 0..255, or a title, on the monitor of `barWindow` at
    // `corner` (AffichageCoin).
    void ShowVolume(int level, HWND barWindow, int corner);
    void ShowTitle(const std::string& title, HWND barWindow, int corner);

    // What it shows: the title or the percentage text, and where.
    const std::string& Text() const { return text_; }
    const AffichageLayout& Shown() const { return layout_; }

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Show(HWND barWindow, int corner);
    // Sizes and places the window for what it shows, at its monitor's DPI.
    void Arrange();
    void Paint(HDC dc);
    void Fade();

    bool volume_ = false;
    int percent_ = 0;
    std::string text_;
    HWND barWindow_ = nullptr;
    int corner_ = kCoinBasDroite;
    int dpi_ = 0;
    FontHandle font_; // at dpi_
    AffichageLayout layout_;
    ULONGLONG shownAt_ = 0;
    int alpha_ = 0;
};

} // namespace pilotune
