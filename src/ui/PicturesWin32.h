#pragma once
// The program's pictures (ui/Pictures.h), drawn with GDI from shapes on their
// design grid and scaled to the bounds they are drawn into: at their design
// size (buttons 10 x 10, mode pictures 21 x 12) they come out pixel for pixel
// as designed, crisp at any larger size. White with a black shadow, so they
// stay readable on any background.
#include <windows.h>

#include <string_view>

#include "ui/Elements.h"

namespace pilotune {

// Draws the picture `id` into `bounds`. Known ids: "imgRecule", "imgJoue",
// "imgPause", "imgStop", "imgAvance", "imgFerme" (each also with a final "S"),
// "imgEnregistreS", "imgNormale", "imgBoucle", "imgExtrait",
// "imgExtraitBoucle"; anything else draws nothing.
void DrawPicture(HDC dc, std::string_view id, const Rect& bounds);

} // namespace pilotune
