#pragma once
// The progress bar and time text of the bar and of the full-screen view, from
// the position p and length d of the track (seconds) and the left edges L and
// R of the two border shapes. Integer arithmetic, product first, truncating.
#include <optional>
#include <string>

namespace pilotune {

struct ProgressDisplay {
    int left = 0;
    int width = 0;
    std::string time;
};

// nullopt when d is 0 (nothing to show, no division). A negative d (the player
// knows no length) shows the elapsed time over an empty bar; a position past
// the end keeps the bar between the borders.
std::optional<ProgressDisplay> ComputeProgress(int p, int d, int L, int R, bool remaining);

} // namespace pilotune
