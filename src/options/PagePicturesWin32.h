#pragma once
// The pictures of the options dialog's page buttons: small drawings in lines
// and shapes, at any size, greyed when the button is disabled.
#include <windows.h>

namespace pilotune {

void DrawGearPicture(HDC dc, RECT r, int dpi, bool enabled);
void DrawProgrammePicture(HDC dc, RECT r, int dpi, bool enabled);
void DrawKeyboardPicture(HDC dc, RECT r, int dpi, bool enabled);
void DrawCopyPicture(HDC dc, RECT r, int dpi, bool enabled);
void DrawClockPicture(HDC dc, RECT r, int dpi, bool enabled);
void DrawSpeakerPicture(HDC dc, RECT r, int dpi, bool enabled);

} // namespace pilotune
