#pragma once
// The dialog fonts per DPI, text measuring; GDI handles are owned by the
// types of base/HandleWin32.h.
#include <windows.h>

#include <string_view>
#include <vector>

#include "base/HandleWin32.h" // GdiObject, FontHandle, BrushHandle, BitmapHandle
#include "ui/Layout.h"

namespace pilotune {

// The DPI of the screen, and of a window (GetDpiForWindow where Windows has it).
int ScreenDpi();
int WindowDpi(HWND window);
// The DPI of a monitor (GetDpiForMonitor where Windows has it, else the
// screen's).
int MonitorDpi(HMONITOR monitor);
// Every display monitor, with its area and DPI.
std::vector<Screen> DisplayMonitors();

// The system's message font at `dpi`, plain or bold; made once per DPI and
// kept for the program's life.
HFONT DialogFont(int dpi, bool bold = false);

// The pixel size of `text` drawn with `font`: on one line, or wrapped at
// `width` as a label wraps it (long words broken).
SIZE MeasureText(HFONT font, std::string_view text, int width = 0, bool wrap = false);

// The program's icon (resource 1), or the system's application icon.
HICON ProgramIcon();

} // namespace pilotune
