#include "player/Playlist.h"

namespace pilotune {

std::string PlaylistPathFor(const std::string& programPath) {
    if (programPath.size() < 3) return "m3u";
    return programPath.substr(0, programPath.size() - 3) + "m3u";
}

std::string_view FileNamePart(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

namespace {
// Reads one code point of UTF-8 (invalid bytes count as themselves) and
// lower-cases ASCII and the Latin-1 letters.
char32_t NextLower(std::string_view s, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    char32_t cp = c;
    if (c >= 0xC0 && c < 0xE0 && i + 1 < s.size() &&
        (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80) {
        cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F);
        i += 2;
    } else {
        i += 1;
        cp = c < 0x80 ? c : 0x110000 + c; // a lone byte never equals a code point
    }
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) cp += 0x20;
    return cp;
}
} // namespace

bool SameFileName(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (NextLower(a, i) != NextLower(b, j)) return false;
    }
    return i == a.size() && j == b.size();
}

} // namespace pilotune
