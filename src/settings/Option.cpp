#include "settings/Option.h"

#include <climits>

#include "settings/SettingsStore.h"

namespace pilotune {

namespace {

int NotNegative(int v) {
    return v < 0 ? 1 : v;
}

// The stored ProgPos p is held as -p - 1: a resume mark for the next replay.
int ResumeMark(int stored) {
    const long long v = -static_cast<long long>(stored) - 1;
    return v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

// 1..max, else the default.
int InRange(int v, int max, int fallback) {
    return v >= 1 && v <= max ? v : fallback;
}

} // namespace

void COption::Load(const SettingsStore& store, const TrackLookup& lookup) {
    NbBoucle = NotNegative(store.ReadInteger(kSectionOption, "NbBoucle", 9, true));
    NbExtrait = NotNegative(store.ReadInteger(kSectionOption, "NbExtrait", 10, true));
    CacheAuto = store.ReadBoolean(kSectionOption, "CacheAuto", false, true);
    CacheWA = store.ReadBoolean(kSectionOption, "CacheWA", false, true);
    MAJ = store.ReadBoolean(kSectionDivers, "MAJ", true, true);
    AffichageNeg = store.ReadBoolean(kSectionOption, "AffichageNeg", false, true);
    LancerDemarrageWindows =
        store.ReadBoolean(kSectionOption, "LancerDemarrageWindows", false, true);
    Systray = store.ReadBoolean(kSectionOption, "Systray", false, true);
    FermerWA = store.ReadBoolean(kSectionOption, "FermerWA", false, true);
    Transparent = store.ReadInteger(kSectionOption, "Transparent", 100, true);

    ProgEnreg = false; // recording never survives a restart
    ProgLecture = store.ReadBoolean(kSectionProgramme, "ProgLecture", false, true);
    ProgTitre =
        store.ReadText(kSectionProgramme, "ProgTitre", std::string(kDefaultProgramme), true);
    ProgPos = ResumeMark(store.ReadInteger(kSectionProgramme, "ProgPos", -1, true));
    ProgrammeLoad(store, ProgTitre, true, lookup);

    ClavierActiver = store.ReadBoolean(kSectionClavier, "ClavierActiver", false, true);
    Bindings = ReadBindings(store);

    AfficheBT = store.ReadBoolean(kSectionCopie, "AfficheBT", false, true);
    CopyPath = store.ReadText(kSectionCopie, "Chemin", "C:\\Music", true);

    AfficheVolume = store.ReadBoolean(kSectionOption, "AfficheVolume", true, true);
    AfficheTitre = store.ReadBoolean(kSectionOption, "AfficheTitre", false, true);
    AfficheCoin = store.ReadInteger(kSectionOption, "AfficheCoin", 3, true);
    if (AfficheCoin < 0 || AfficheCoin > 3) AfficheCoin = 3;
    FichierEnCours = store.ReadText(kSectionOption, "FichierEnCours", "", true);
    ModeleEnCours = store.ReadText(kSectionOption, "ModeleEnCours", "", true);
    if (ModeleEnCours.empty()) ModeleEnCours = kModeleEnCoursDefaut;

    VolumeStep = InRange(store.ReadInteger(kSectionOption, "PasVolume", kDefaultVolumeStep, true),
                         kMaxVolumeStep, kDefaultVolumeStep);
    SeekStep = InRange(store.ReadInteger(kSectionOption, "PasSecondes", kDefaultSeekStep, true),
                       kMaxSeekStep, kDefaultSeekStep);
}

void COption::Save(SettingsStore& store) {
    store.WriteInteger(kSectionOption, "NbBoucle", NbBoucle, true);
    store.WriteInteger(kSectionOption, "NbExtrait", NbExtrait, true);
    store.WriteBoolean(kSectionOption, "CacheAuto", CacheAuto, true);
    store.WriteBoolean(kSectionOption, "CacheWA", CacheWA, true);
    store.WriteBoolean(kSectionDivers, "MAJ", MAJ, true);
    store.WriteBoolean(kSectionOption, "AffichageNeg", AffichageNeg, true);
    store.WriteBoolean(kSectionOption, "LancerDemarrageWindows", LancerDemarrageWindows, true);
    store.WriteBoolean(kSectionOption, "Systray", Systray, true);
    store.WriteBoolean(kSectionOption, "FermerWA", FermerWA, true);
    store.WriteInteger(kSectionOption, "Transparent", Transparent, true);
    store.WriteBoolean(kSectionProgramme, "ProgEnreg", ProgEnreg, true);
    store.WriteBoolean(kSectionProgramme, "ProgLecture", ProgLecture, true);
    store.WriteText(kSectionProgramme, "ProgTitre", ProgTitre, true);
    store.WriteInteger(kSectionProgramme, "ProgPos", ProgPos, true);
    ProgrammeSave(store, ProgTitre);

    store.WriteBoolean(kSectionClavier, "ClavierActiver", ClavierActiver, true);
    WriteBindings(store, Bindings);

    store.WriteBoolean(kSectionCopie, "AfficheBT", AfficheBT, true);
    store.WriteText(kSectionCopie, "Chemin", CopyPath, true);

    store.WriteBoolean(kSectionOption, "AfficheVolume", AfficheVolume, true);
    store.WriteBoolean(kSectionOption, "AfficheTitre", AfficheTitre, true);
    store.WriteInteger(kSectionOption, "AfficheCoin", AfficheCoin, true);
    store.WriteText(kSectionOption, "FichierEnCours", FichierEnCours, true);
    store.WriteText(kSectionOption, "ModeleEnCours", ModeleEnCours, true);

    store.WriteInteger(kSectionOption, "PasVolume", VolumeStep, true);
    store.WriteInteger(kSectionOption, "PasSecondes", SeekStep, true);
}

void COption::ProgrammeLoad(const SettingsStore& store, const std::string& name, bool makeCurrent,
                            const TrackLookup& lookup) {
    if (makeCurrent) ProgTitre = name;
    Programme = ReadProgramme(store, name, lookup);
    ProgNb = static_cast<int>(Programme.size());
}

void COption::ProgrammeSave(SettingsStore& store, const std::string& name) {
    ProgNb = static_cast<int>(Programme.size());
    if (WriteProgramme(store, name, Programme))
        ProgTitre = name.empty() ? std::string(kDefaultProgramme) : name;
}

} // namespace pilotune
