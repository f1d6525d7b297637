#pragma once
// The simulator's command line (see README.md).
#include "Profile.h"

#include <string>
#include <vector>

namespace winampsim {

struct Options {
    double speed = 1.0;                 // /speed=N, clock factor (0 < N <= 10000)
    std::wstring log;                   // /log=<file>
    std::wstring music;                 // /music=<folder> for the generated playlist
    bool play = false;                  // /play
    bool shuffle = false;               // /shuffle
    int tracks = 30;                    // /tracks=N, size of the generated playlist (1..500)
    unsigned seed = 0;                  // /seed=N, shuffle order; 0: from the clock
    std::wstring source;                // positional: an .m3u/.m3u8 file or a folder of audio files
    Profile profile = Profile::Winamp2; // /profile=<name>
    bool unicode = false;               // /unicode
    bool playlistFile = true;           // /no-playlist-file: foobar2000 writes none
};

// Unknown options and bad values are ignored (the defaults stay). "--name"
// stands for "/name", and "--name value" for "/name=value".
Options ParseOptions(const std::vector<std::wstring>& args);

} // namespace winampsim
