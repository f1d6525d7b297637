#pragma once
// The programmes as the settings file keeps them: each in a section of its
// own, "Programme " + name, with "ProgNb" and, per entry i, "ProgN ", "ProgT ",
// "ProgD " and "ProgF " + i; and the list of known names, "nbProgTitre" and
// "ProgTitre " + i of section Programme.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pilotune {

class SettingsStore;

inline constexpr std::string_view kSectionProgramme = "Programme";
inline constexpr std::string_view kDefaultProgramme = "PlayList";

// One programme entry.
struct TProg {
    int N = 1;     // 1-based playlist position; 0: not in the playlist, skipped by replay
    int D = 0;     // start point in seconds
    int F = 0;     // end point in seconds; D = F = 0: the whole track
    std::string T; // file name of the track, without its folder
    bool operator==(const TProg&) const = default;
};

// 1-based playlist position of the first entry whose file name equals the
// given one (without regard to case), or 0.
using TrackLookup = std::function<int(const std::string& fileName)>;

// Section of the programme `name` ("Programme " + name).
std::string ProgrammeSection(std::string_view name);

// The entries of programme `name`, each track found again by its file name
// through `lookup` (no file name, or no lookup: 0). A missing or damaged value
// reads as its default (start and end 0); a row with neither a number nor a
// file name was never written, and gives no entry.
std::vector<TProg> ReadProgramme(const SettingsStore& store, const std::string& name,
                                 const TrackLookup& lookup);
// Writes `entries` as programme `name` (empty: "PlayList"). The first
// programme written into a file, one that lists no name yet, becomes its only
// known name: true then.
bool WriteProgramme(SettingsStore& store, const std::string& name,
                    const std::vector<TProg>& entries);

// The known names in their stored order, empty ones included.
std::vector<std::string> ReadStoredProgrammeNames(const SettingsStore& store);
void WriteProgrammeNames(SettingsStore& store, const std::vector<std::string>& names);

} // namespace pilotune
