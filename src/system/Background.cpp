#include "system/Background.h"

#include <algorithm>

namespace pilotune {

int TransparencyAlpha(int percent, bool ntFamily) {
    const int p = ntFamily ? std::clamp(percent, 0, 100) : 0;
    return ((100 - p) * 255) / 100;
}

TransparencyPlan PlanTransparency(int percent, bool ntFamily, bool layeredAvailable) {
    TransparencyPlan plan;
    plan.alpha = TransparencyAlpha(percent, ntFamily);
    plan.loadPicture = plan.alpha > 30;
    if (!ntFamily || !layeredAvailable) {
        plan.loadPicture = true; // the picture is all the bar has: shown, opaque
        return plan;
    }
    plan.keyColour = true;
    if (plan.alpha == 255) return plan;
    if (plan.alpha > 30) {
        plan.layer = LayerMode::Alpha;
    } else {
        plan.layer = LayerMode::ColourKey;
        plan.pictureVisible = false;
    }
    return plan;
}

} // namespace pilotune
