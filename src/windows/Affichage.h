#pragma once
// The on-screen display's arithmetic: what it shows of the volume, how big it
// is at a DPI, where it lies on its monitor and how it fades out.
#include <string>

#include "ui/Elements.h"
#include "ui/Layout.h"

namespace pilotune {

// The corner of the monitor it shows at (the setting's values).
enum AffichageCoin : int {
    kCoinHautGauche = 0,
    kCoinHautDroite = 1,
    kCoinBasGauche = 2,
    kCoinBasDroite = 3,
};

inline constexpr int kAffichageMs = 2000;       // shown whole this long
inline constexpr int kAffichageFonduMs = 400;   // then fades out over this
inline constexpr int kAffichageAlpha = 235;     // its opacity while shown
inline constexpr int kAffichageFontHeight = 20; // design pixels
inline constexpr char kAffichageFace[] = "Segoe UI";
inline constexpr std::uint32_t kAffichageFond = 0x202020;
inline constexpr std::uint32_t kAffichageCadre = 0x707070;
inline constexpr std::uint32_t kAffichageNiveau = 0x3C9BE6;

// "75 %" (a no-break space before the sign, as French writes it).
std::string PercentText(int percent);

// Pixel places inside the display's window.
struct AffichageLayout {
    Size window;
    Rect text;  // the title, or the percentage (right-aligned)
    Rect gauge; // the volume's frame; empty for a title
    Rect level; // its filled part
    bool operator==(const AffichageLayout&) const = default;
};

// The volume: its gauge and the percentage side by side. `widest`: the
// extent of PercentText(100) in the display's font at `dpi`.
AffichageLayout LayoutVolume(int percent, Size widest, int dpi);
// A title on one line of `extent`, no wider than `maxWidth` (longer titles
// end in an ellipsis).
AffichageLayout LayoutTitle(Size extent, int maxWidth, int dpi);

// Where a window of `size` lies at `corner` of a monitor's `workArea`, a
// margin away from both edges; an unknown corner is the bottom right one.
Rect PlaceAtCorner(const Rect& workArea, Size size, int corner, int dpi);

// The opacity `elapsedMs` after it was shown: whole, then fading; 0 once
// it is over (the window then hides).
int FadeAlpha(long long elapsedMs);

} // namespace pilotune
