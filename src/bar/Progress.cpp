#include "bar/Progress.h"

#include <algorithm>
#include <cstdint>

#include "settings/TimeText.h"

namespace pilotune {

std::optional<ProgressDisplay> ComputeProgress(int p, int d, int L, int R, bool remaining) {
    if (d == 0) return std::nullopt;
    if (d < 0) return ProgressDisplay{L, 0, SecondsToText(p)};
    const std::int64_t span = std::clamp(p, 0, d); // geometry only; the text keeps p
    ProgressDisplay out;
    if (remaining) {
        out.left = static_cast<int>(span * (R - L) / d + L + 1);
        out.width = std::max(0, R - out.left);
        out.time = SecondsToText(p - d);
    } else {
        out.left = L;
        out.width = static_cast<int>(span * (R - L - 2) / d + L);
        out.time = SecondsToText(p);
    }
    return out;
}

} // namespace pilotune
