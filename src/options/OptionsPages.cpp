#include "options/OptionsPages.h"

#include <algorithm>

namespace pilotune {

std::string OptionCaption(std::string_view pageCaption) {
    std::string caption(kOptionCaption);
    caption += "  -  ";
    caption += pageCaption;
    return caption;
}

int OptionStartPage(int stored, int count) {
    return stored >= 0 && stored < count ? stored : 0;
}

std::vector<Rect> PageButtonBounds(int count, int height) {
    constexpr int kTop = 4, kLeft = 4, kWidth = 100, kHeight = 73, kGap = 10;
    std::vector<Rect> bounds;
    if (count <= 0) return bounds;
    const int step = std::min(kHeight + kGap, (height - kTop) / count);
    const int button = std::max(1, step * kHeight / (kHeight + kGap));
    for (int k = 0; k < count; ++k)
        bounds.push_back({kLeft, kTop + k * step, kWidth, button});
    return bounds;
}

} // namespace pilotune
