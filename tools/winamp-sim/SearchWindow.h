#pragma once
// The title-search window (class "BaseWindow_RootWnd") opened by command 40194:
// the playlist in a list box; a double click plays the entry and closes it.
#include "Track.h"

#include <windows.h>

#include <vector>

namespace winampsim {

// Posted to the main window by the search window: wParam = 0-based entry to play.
constexpr UINT kPlayEntry = WM_APP + 1;

// Shows the search window, creating it when needed; returns it.
HWND OpenSearchWindow(HWND existing, HWND mainWindow, const std::vector<Track>& tracks, HFONT font);

} // namespace winampsim
