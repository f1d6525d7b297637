#pragma once
// GDI handles owned by RAII, the dialog fonts per DPI, text measuring.
#include <windows.h>

#include <string_view>

namespace pilotune {

// Owns one GDI object (font, brush, bitmap); deletes it once.
template <class H> class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {}
    GdiObject(GdiObject&& o) noexcept : h_(o.Release()) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        Reset(o.Release());
        return *this;
    }
    ~GdiObject() { Reset(); }
    H Get() const { return h_; }
    H Release() {
        H h = h_;
        h_ = nullptr;
        return h;
    }
    void Reset(H h = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }

  private:
    H h_ = nullptr;
};
using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using BitmapHandle = GdiObject<HBITMAP>;

// The DPI of the screen, and of a window (GetDpiForWindow where Windows has it).
int ScreenDpi();
int WindowDpi(HWND window);

// The system's message font at `dpi`, plain or bold; made once per DPI and
// kept for the program's life.
HFONT DialogFont(int dpi, bool bold = false);

// The pixel size of `text` drawn with `font`: on one line, or wrapped at
// `width` as a label wraps it (long words broken).
SIZE MeasureText(HFONT font, std::string_view text, int width = 0, bool wrap = false);

// The program's icon (resource 1), or the system's application icon.
HICON ProgramIcon();

} // namespace pilotune
