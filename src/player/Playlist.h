#pragma once
// Reading the player's playlist file: every line that does not start with "#"
// is the path of the next entry.
#include <string>
#include <string_view>
#include <vector>

namespace pilotune {

// Fills `entries` (already sized to the playlist length, all empty) in order
// with the path lines of `bytes`, stopping when every entry is filled. Lines end
// at CR LF, LF or a lone CR. `decode` turns the file's bytes into UTF-8.
template <class Decode>
void ReadPlaylistLines(std::string_view bytes, std::vector<std::string>& entries, Decode&& decode);

// "C:\Program Files\Winamp\Winamp.exe" -> "C:\Program Files\Winamp\Winamp.m3u".
std::string PlaylistPathFor(const std::string& programPath);

// The file name of a path: what follows the last "\" or ":".
std::string_view FileNamePart(std::string_view path);

// ASCII case-insensitive equality, and lower-casing of Latin-1 letters written
// in UTF-8, so that "Été.MP3" matches "été.mp3".
bool SameFileName(std::string_view a, std::string_view b);

template <class Decode>
void ReadPlaylistLines(std::string_view bytes, std::vector<std::string>& entries, Decode&& decode) {
    std::size_t filled = 0;
    std::size_t pos = 0;
    const std::size_t n = bytes.size();
    while (pos < n && filled < entries.size()) {
        std::size_t end = pos;
        while (end < n && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        std::string_view line = bytes.substr(pos, end - pos);
        if (line.empty() || line[0] != '#') entries[filled++] = decode(line);
        if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') ++end;
        pos = end + 1;
    }
}

} // namespace pilotune
