#pragma once
// The bar's see-through look: a picture of the desktop under the bar (taken,
// saved as "PilotuneFondEcran.bmp" beside the program, loaded back) and the
// layered-window transparency. The bar owns one BarBackground, paints its
// background element with Draw and fills the rest with WindowColour().
#include <windows.h>

#include <string>

#include "base/HandleWin32.h"

#include "system/Background.h"
#include "ui/Elements.h"

namespace pilotune {

class BarBackground {
  public:
    // `folder`: where the picture is kept (the program's folder, with or
    // without its final "\"); empty: the folder of the running executable.
    explicit BarBackground(std::string folder = {});
    BarBackground(const BarBackground&) = delete;
    BarBackground& operator=(const BarBackground&) = delete;
    ~BarBackground();

    // Hides the bar and returns; captureDelayMs later, from a timer of this
    // thread, copies the screen under it, shows it again (when it was shown)
    // and saves the picture, replacing the older one. A capture under way
    // makes a second one a no-op.
    void Capture(HWND bar);
    bool Capturing() const { return pending_ != nullptr; }
    // The saved picture, or a new one when there is none or it cannot be read.
    void Load(HWND bar);
    // Applies the "Transparent" percentage (see PlanTransparency) and puts the
    // bar on top of every window.
    void ApplyTransparency(HWND bar, Element& image, int percent);

    // Stretches the picture over the element's bounds (nothing without one).
    void Draw(HDC dc, const Element& image) const;
    // The colour the bar fills itself with: the key colour once transparency
    // has been applied on the NT family, else the button face colour.
    COLORREF WindowColour() const { return colour_; }

    HBITMAP Bitmap() const { return bitmap_.Get(); }
    // How long the bar stays hidden before the copy, for the windows under it
    // to repaint.
    int captureDelayMs = kCaptureDelayMs;
    const std::string& FilePath() const { return path_; }

  private:
    void Replace(HBITMAP bitmap);
    void FinishCapture();
    static void CALLBACK OnCaptureTimer(HWND bar, UINT, UINT_PTR id, DWORD);
    UINT_PTR TimerId() const { return reinterpret_cast<UINT_PTR>(this); }

    std::string path_;
    BitmapHandle bitmap_;
    COLORREF colour_;
    HWND pending_ = nullptr; // the bar while a capture waits for its timer
    RECT area_{};            // where the bar stood when the capture began
    bool wasShown_ = false;
};

// Writes `bitmap` as a 24-bit Windows bitmap file (through a temporary file,
// so that a failure leaves the older picture whole). False on failure.
bool SaveBitmapFile(HBITMAP bitmap, const std::string& path);

} // namespace pilotune
