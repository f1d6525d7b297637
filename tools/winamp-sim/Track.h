#pragma once
// One playlist entry of the simulated player.
#include <string>

namespace winampsim {

struct Track {
    std::wstring path;  // full Windows path, as written to the playlist file
    std::wstring title; // "Artist - Title"
    int seconds = -1;   // length; -1 when unknown (such a track never ends by itself)
};

} // namespace winampsim
