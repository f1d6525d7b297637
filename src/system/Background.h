#pragma once
// How the bar is made to look transparent for a transparency percentage: a
// picture of the desktop under it, a layered window with one alpha, or the
// bar's own colour keyed out.
#include <cstdint>

namespace pilotune {

// The bar's window colour on the NT family: the colour keyed out.
inline constexpr std::uint32_t kBarKeyColour = 0xFDFDFD; // RGB(253, 253, 253)
inline constexpr char kBackgroundFile[] = "PilotuneFondEcran.bmp";
inline constexpr int kCaptureDelayMs = 50;

// ((100 - p) * 255) div 100, p taken within 0..100; 255 (opaque) off the NT family.
int TransparencyAlpha(int percent, bool ntFamily);

enum class LayerMode { None, Alpha, ColourKey };

struct TransparencyPlan {
    int alpha = 255;
    bool loadPicture = false; // the desktop picture is shown (loaded or taken)
    bool pictureVisible = true;
    bool keyColour = false; // the window colour becomes kBarKeyColour
    LayerMode layer = LayerMode::None;
};

TransparencyPlan PlanTransparency(int percent, bool ntFamily, bool layeredAvailable);

} // namespace pilotune
