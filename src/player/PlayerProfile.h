#pragma once
// What differs from one player to the next behind the same window messages:
// where its playlist file lives, which files to try and how they are encoded,
// how its strings and its caption read, and which answers it does not give.
// A profile is chosen from the running player's program file; "winamp2" is
// the player that answers none of the newer questions, and the one taken
// when the program file is not known.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pilotune {

enum class TextEncoding {
    Ansi,       // the system's ANSI code page
    Utf8,       // UTF-8
    Utf8OrAnsi, // UTF-8 when the bytes are valid UTF-8, else the ANSI code page
};

struct PlayerProfile {
    std::string_view name;        // as the setting names it
    std::string_view windowClass; // of the player's main window
    // Where the playlist file is looked for, in this order: the folder the
    // player names (WM_USER 338, then 337), the folder named by the default
    // value of HKCU\Software\Winamp, the folder of the program file.
    bool asksFolder;
    bool registryFolder;
    bool besideProgram;
    // Whether winamp.m3u8 (UTF-8) is tried before winamp.m3u.
    bool unicodePlaylist;
    TextEncoding playlist; // of winamp.m3u
    TextEncoding strings;  // of the strings it answers by address (337)
    std::string_view captionSuffix;
    int captionFirstNumber; // the number its caption gives the first track
    // Answers that differ; the link relies on none of them.
    bool pauseToggles;     // WM_COMMAND 40046 also resumes
    bool answersLengthMs;  // WM_USER 105 with wParam 2
    bool keepsPosition125; // WM_USER 125 follows the current entry
    // Questions it may not know: asked only when it does, as an unknown
    // question answers 0 and would read as a silent volume or no repeat.
    bool answersVolume; // WM_USER 122 with wParam -666
    bool answersRepeat; // WM_USER 251
};

// The setting that forces a profile: section Option, its name as the value.
inline constexpr const char* kProfileKey = "ProfilLecteur";

const std::vector<PlayerProfile>& PlayerProfiles();
// The profile of the program at `programFile` (a full path); "winamp2" for
// any other program, or an empty path.
const PlayerProfile& ProfileForProgram(std::string_view programFile);
// The profile of that name (ASCII case ignored); nullptr when none has it.
const PlayerProfile* ProfileNamed(std::string_view name);

// The caption rule: the text before the profile's suffix (and the blank before
// it); the leading track number counted from 1 whatever the player counts from.
std::string TitleFromCaption(const std::string& caption, const PlayerProfile& profile);

struct PlaylistCandidate {
    std::string path;
    TextEncoding encoding;
};
// The files to try in order: in `folder` when the player or the registry named
// one ("winamp.m3u8", "winamp.m3u"), else beside the program ("Winamp.m3u8",
// "Winamp.m3u" for "Winamp.exe").
std::vector<PlaylistCandidate> PlaylistCandidates(const PlayerProfile& profile,
                                                  const std::optional<std::string>& folder,
                                                  const std::string& programPath);

} // namespace pilotune
