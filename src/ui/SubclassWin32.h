#pragma once
// Window subclassing kept in the program's own memory: each window has a
// chain of procedures, the newest called first, each passing a message on
// with NextSubclassProc. The common controls' own subclassing looks its
// chain up in a window property for every message, which under Wine is a
// round trip to the server: with several subclassed controls a dialog paid
// it many times per message.
#include <windows.h>

#include <commctrl.h>

namespace pilotune {

// Same contract as the common controls' calls of those names: one link per
// (proc, id); attaching it again replaces its data. On this window's thread.
bool AttachSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
bool DetachSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id);
// Inside a link: the next link, or the window's own procedure after the last.
LRESULT NextSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace pilotune
