#pragma once
// The simulator's command line (see README.md).
#include <string>
#include <vector>

namespace winampsim {

struct Options {
    double speed = 1.0;   // /speed=N, clock factor (0 < N <= 10000)
    std::wstring log;     // /log=<file>
    std::wstring music;   // /music=<folder> for the generated playlist
    bool play = false;    // /play
    bool shuffle = false; // /shuffle
    int tracks = 30;      // /tracks=N, size of the generated playlist (1..500)
    unsigned seed = 0;    // /seed=N, shuffle order; 0: from the clock
    std::wstring source;  // positional: an .m3u/.m3u8 file or a folder of audio files
};

// Unknown options and bad values are ignored (the defaults stay).
Options ParseOptions(const std::vector<std::wstring>& args);

} // namespace winampsim
