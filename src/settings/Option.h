#pragma once
// COption: the run-time settings object (options, key bindings, current
// programme, copy settings), loaded from and saved to the settings store.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/BindingList.h"
#include "settings/ProgrammeList.h"

namespace pilotune {

class SettingsStore;

// Logical section names.
inline constexpr std::string_view kSectionOption = "Option";
inline constexpr std::string_view kSectionDivers = "Divers";
inline constexpr std::string_view kSectionCopie = "Copie";
inline constexpr std::string_view kModeleEnCoursDefaut = "{artist} - {title}";
inline constexpr std::uint8_t kActionNothing = 32;    // ARIEN (checked beside the actions)
inline constexpr std::uint8_t kLastStoredAction = 40; // the highest action number

inline constexpr int kDefaultVolumeStep = 5; // percent
inline constexpr int kMaxVolumeStep = 100;
inline constexpr int kDefaultSeekStep = 5; // seconds
inline constexpr int kMaxSeekStep = 3600;

class COption {
  public:
    bool CacheAuto = false;
    bool CacheWA = false;
    bool ProgEnreg = false;
    bool ProgLecture = false;
    int LoopTrack = 0;
    int NbBoucle = 9;
    int NbExtrait = 10;
    int Transparent = 100;
    bool Shuffle = false;
    bool LoopOn = false;
    bool ExcerptOn = false;
    bool LancerDemarrageWindows = false;
    bool Systray = false;
    bool FermerWA = false;
    bool MAJ = true;
    bool AffichageNeg = false;
    int ProgNb = 0; // number of entries of Programme, kept equal to its size
    int ProgPos = -1;
    int CurrentTrack = 0;
    std::vector<TProg> Programme;
    std::string ProgTitre{kDefaultProgramme};
    bool ClavierActiver = false;
    std::vector<TCla> Bindings = DefaultBindings();
    bool AfficheBT = false;
    std::string CopyPath = "C:\\Music";
    // The on-screen display (volume on, tracks off, at the bottom right corner:
    // 0 top left, 1 top right, 2 bottom left, 3 bottom right) and the
    // now-playing file (none when empty) with its template.
    bool AfficheVolume = true;
    bool AfficheTitre = false;
    int AfficheCoin = 3;
    std::string FichierEnCours;
    std::string ModeleEnCours{kModeleEnCoursDefaut};

    // The steps of the volume and seek actions: a percentage of the full
    // volume, and seconds.
    int VolumeStep = kDefaultVolumeStep;
    int SeekStep = kDefaultSeekStep;

    // Reads every key in its order and loads the programme named by ProgTitre;
    // `lookup` gives each entry its track number from its file name.
    void Load(const SettingsStore& store, const TrackLookup& lookup);
    // Writes every key of Load (ProgEnreg included) and the current programme.
    void Save(SettingsStore& store);

    // Reads the programme `name` into Programme (ProgTitre := name when
    // `makeCurrent`). An entry with no file name, or no lookup, gets N = 0.
    void ProgrammeLoad(const SettingsStore& store, const std::string& name, bool makeCurrent,
                       const TrackLookup& lookup);
    // Writes Programme under `name` (empty: "PlayList"); the first programme
    // saved into a file also becomes the only known name and the current one.
    void ProgrammeSave(SettingsStore& store, const std::string& name);
};

} // namespace pilotune
