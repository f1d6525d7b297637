#pragma once
// The bar's pictures, drawn with GDI at their exact pixel sizes (buttons
// 10 x 10, mode pictures 21 x 12) in white with the bar's black shadow, so they
// stay crisp and readable on any background.
#include <windows.h>

#include <string_view>

#include "ui/Elements.h"

namespace pilotune {

// Draws the picture `id` into `bounds`. Known ids: "imgRecule", "imgJoue",
// "imgPause", "imgStop", "imgAvance", "imgFerme" (each also with a final "S"),
// "imgEnregistreS",
// "imgNormale", "imgBoucle", "imgExtrait", "imgExtraitBoucle"; anything else
// draws nothing.
void DrawBarPicture(HDC dc, std::string_view id, const Rect& bounds);

} // namespace pilotune
