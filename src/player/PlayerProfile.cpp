#include "player/PlayerProfile.h"

#include "player/Playlist.h"

namespace pilotune {

namespace {
constexpr std::string_view kClass = "Winamp v1.x";
constexpr std::string_view kSuffix = "- Winamp";

bool SameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}
} // namespace

const std::vector<PlayerProfile>& PlayerProfiles() {
    using enum TextEncoding;
    static const std::vector<PlayerProfile> profiles = {
        // name, class, asks, registry, beside, m3u8, playlist, strings, suffix, first,
        // pause toggles, length in ms, 125 kept, volume, repeat
        {"winamp2", kClass, false, false, true, false, Ansi, Ansi, kSuffix, 1, true, true, true,
         false, false},
        {"winamp5", kClass, true, false, true, true, Ansi, Ansi, kSuffix, 1, true, true, true, true,
         true},
        {"wacup", kClass, true, false, true, true, Ansi, Ansi, kSuffix, 1, true, true, true, true,
         true},
        {"foobar2000", kClass, false, true, false, false, Utf8OrAnsi, Utf8, kSuffix, 0, false,
         false, false, false, false},
    };
    return profiles;
}

const PlayerProfile* ProfileNamed(std::string_view name) {
    for (const PlayerProfile& p : PlayerProfiles())
        if (SameAscii(p.name, name)) return &p;
    return nullptr;
}

const PlayerProfile& ProfileForProgram(std::string_view programFile) {
    const std::string_view file = FileNamePart(programFile);
    const char* name = SameAscii(file, "winamp.exe")       ? "winamp5"
                       : SameAscii(file, "wacup.exe")      ? "wacup"
                       : SameAscii(file, "foobar2000.exe") ? "foobar2000"
                                                           : "winamp2";
    return *ProfileNamed(name);
}

std::string TitleFromCaption(const std::string& caption, const PlayerProfile& profile) {
    std::string title = caption;
    const std::size_t at = caption.find(profile.captionSuffix);
    if (at != std::string::npos) title = caption.substr(0, at == 0 ? 0 : at - 1);
    if (profile.captionFirstNumber == 1) return title;
    // "0. Artiste - Morceau" from a player that counts from 0 reads "1. ...".
    std::size_t digits = 0;
    while (digits < title.size() && digits < 9 && title[digits] >= '0' && title[digits] <= '9')
        ++digits;
    if (digits == 0 || title.compare(digits, 2, ". ") != 0) return title;
    const long long n = std::stoll(title.substr(0, digits)) + 1 - profile.captionFirstNumber;
    return std::to_string(n) + title.substr(digits);
}

std::vector<PlaylistCandidate> PlaylistCandidates(const PlayerProfile& profile,
                                                  const std::optional<std::string>& folder,
                                                  const std::string& programPath) {
    std::string stem;
    if (folder) {
        stem = *folder;
        if (!stem.empty() && stem.back() != '\\' && stem.back() != '/') stem += '\\';
        stem += "winamp.";
    } else {
        stem = PlaylistPathFor(programPath);
        stem.resize(stem.size() - 3);
    }
    std::vector<PlaylistCandidate> files;
    if (profile.unicodePlaylist) files.push_back({stem + "m3u8", TextEncoding::Utf8});
    files.push_back({stem + "m3u", profile.playlist});
    return files;
}

} // namespace pilotune
