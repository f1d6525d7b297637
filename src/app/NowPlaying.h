#pragma once
// The now-playing file's text: the track as the player reports it, cut into
// fields, and the user's template filled with them.
#include <string>
#include <string_view>

namespace pilotune {

struct TrackFields {
    std::string artist, title;
    int number = 0;   // 1-based playlist position; 0: none
    int length = -1;  // seconds; negative: unknown
    std::string file; // the track's path, as the playlist gives it
};

// Artist and title from the player's title "12. Artiste - Morceau": the
// playlist number and its ". " dropped, the artist before the first " - ",
// the title after it. Without " - " the whole text is the title and the
// artist is empty.
void SplitPlayerTitle(std::string_view playerTitle, TrackFields& fields);

// "m:ss" (minutes past 59 go on: "75:02"); empty when unknown.
std::string LengthText(int seconds);

// `pattern` with {title}, {artist}, {number}, {length} and {file} replaced;
// anything else in braces stays as written. A field that comes out empty
// takes with it the text that joins it to the next field (or to the previous
// one when it is the last), so that "{artist} - {title}" without an artist
// gives the title alone. An empty pattern is the default one
// (kModeleEnCoursDefaut).
std::string ExpandNowPlaying(std::string_view pattern, const TrackFields& fields);

} // namespace pilotune
