#pragma once
// What the bar's window asks of the program around it: the background
// picture, and the moments the program acts on (moved, activated, closing,
// gone, the end of the Windows session, messages of other processes).
#include <windows.h>

#include <optional>

#include "ui/Elements.h"

namespace pilotune {

class BarHost {
  public:
    virtual ~BarHost() = default;
    // Paints the picture that makes the bar look transparent (imgFond).
    virtual void DrawBackdrop(HDC dc, const Element& fond) = 0;
    // The colour under every element.
    virtual COLORREF WindowColour() = 0;
    // The user dropped the bar somewhere else.
    virtual void BarMoved() = 0;
    // The bar became the active window.
    virtual void BarActivated() = 0;
    // The bar closes: the settings and the player's end, before the window goes.
    virtual void BarClosing() = 0;
    // The window is gone.
    virtual void BarDestroyed() = 0;
    // Windows ends the session: nothing else will run.
    virtual void SessionEnding() = 0;
    // A message the bar has no handler for (another instance's hand-over, the
    // tray's callbacks...); a value when the host handled it.
    virtual std::optional<LRESULT> OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};

} // namespace pilotune
