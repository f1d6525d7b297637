#pragma once
// CProgrammes: recording the tracks listened to into the current programme,
// and replaying it entry by entry with each entry's start and end points.
// The programme itself (entries, position, switches) lives in COption.
#include <string>
#include <vector>

#include "settings/Option.h"

namespace pilotune {

class ProgrammeBar;
class ProgrammePlayer;
class SettingsStore;

class CProgrammes {
  public:
    CProgrammes(COption& option, SettingsStore& store, ProgrammePlayer& player, ProgrammeBar& bar)
        : option_(option), store_(store), player_(player), bar_(bar) {}
    CProgrammes(const CProgrammes&) = delete;
    CProgrammes& operator=(const CProgrammes&) = delete;

    // LECTUREPROGRAMME: with the flag false, toggles replay; a name other than
    // the current one loads that programme and starts it.
    void Lecture(bool modeFlag, const std::string& name);
    // ENREGISTREPROGRAMME: with the flag false, toggles recording.
    void Enregistre(bool modeFlag);

    // Each tick of the playback monitor while replay is on (false), and each
    // track change (true).
    void ProgrammeStep(bool trackChanged);
    // Jumps to the next playable entry; ends replay after the last one.
    void ProgrammeNext();

    // Reads a programme, each entry's track found by its file name in the
    // player's current playlist.
    void ProgrammeLoad(const std::string& name, bool makeCurrent);
    TrackLookup Lookup();

  private:
    bool CanReplay();
    void Record();

    COption& option_;
    SettingsStore& store_;
    ProgrammePlayer& player_;
    ProgrammeBar& bar_;
};

// The known programme names, as the programme lists offer them: empty names
// are left out, and a name met again (any case) is kept once.
std::vector<std::string> ReadProgrammeNames(const SettingsStore& store);
// True when `names` holds `name`, case aside.
bool HasProgrammeName(const std::vector<std::string>& names, const std::string& name);

} // namespace pilotune
