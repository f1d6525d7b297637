#include "windows/Affichage.h"

#include <algorithm>

namespace pilotune {

namespace {
// Design lengths at 96 DPI.
constexpr int kPadX = 14, kPadY = 10;
constexpr int kGaugeWidth = 160, kGaugeHeight = 12, kGaugeInset = 2, kGap = 12;
constexpr int kMinWidth = 120;
constexpr int kMargin = 24;
} // namespace

std::string PercentText(int percent) {
    return std::to_string(percent) + "\xC2\xA0%";
}

AffichageLayout LayoutVolume(int percent, Size widest, int dpi) {
    const int padX = ScaleToDpi(kPadX, dpi), padY = ScaleToDpi(kPadY, dpi);
    const int gaugeW = ScaleToDpi(kGaugeWidth, dpi), gaugeH = ScaleToDpi(kGaugeHeight, dpi);
    const int line = std::max(widest.height, gaugeH);
    AffichageLayout l;
    l.window = {padX + gaugeW + ScaleToDpi(kGap, dpi) + widest.width + padX, padY + line + padY};
    l.gauge = {padX, padY + (line - gaugeH) / 2, gaugeW, gaugeH};
    const int inset = ScaleToDpi(kGaugeInset, dpi);
    const int inner = gaugeW - 2 * inset;
    l.level = {l.gauge.left + inset, l.gauge.top + inset, inner * std::clamp(percent, 0, 100) / 100,
               gaugeH - 2 * inset};
    l.text = {l.window.width - padX - widest.width, padY + (line - widest.height) / 2, widest.width,
              widest.height};
    return l;
}

AffichageLayout LayoutTitle(Size extent, int maxWidth, int dpi) {
    const int padX = ScaleToDpi(kPadX, dpi), padY = ScaleToDpi(kPadY, dpi);
    const int width = std::max(std::min(extent.width, maxWidth - 2 * padX),
                               ScaleToDpi(kMinWidth, dpi) - 2 * padX);
    AffichageLayout l;
    l.window = {padX + width + padX, padY + extent.height + padY};
    l.text = {padX, padY, width, extent.height};
    return l;
}

Rect PlaceAtCorner(const Rect& workArea, Size size, int corner, int dpi) {
    const int margin = ScaleToDpi(kMargin, dpi);
    if (corner < kCoinHautGauche || corner > kCoinBasDroite) corner = kCoinBasDroite;
    const bool right = corner == kCoinHautDroite || corner == kCoinBasDroite;
    const bool bottom = corner == kCoinBasGauche || corner == kCoinBasDroite;
    const int x = right ? workArea.Right() - margin - size.width : workArea.left + margin;
    const int y = bottom ? workArea.Bottom() - margin - size.height : workArea.top + margin;
    return {x, y, size.width, size.height};
}

int FadeAlpha(long long elapsedMs) {
    if (elapsedMs < 0) elapsedMs = 0;
    if (elapsedMs < kAffichageMs) return kAffichageAlpha;
    const long long fading = elapsedMs - kAffichageMs;
    if (fading >= kAffichageFonduMs) return 0;
    return static_cast<int>(kAffichageAlpha * (kAffichageFonduMs - fading) / kAffichageFonduMs);
}

} // namespace pilotune
