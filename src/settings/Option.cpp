#include "settings/Option.h"

#include <climits>

#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"

namespace pilotune {

namespace {

std::string Indexed(std::string_view word, int i) {
    std::string key(word);
    key += std::to_string(i);
    return key;
}

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

std::uint8_t ActionNumber(int v) {
    return v >= 0 && v <= kLastStoredAction ? static_cast<std::uint8_t>(v) : kActionNothing;
}

} // namespace

std::string ProgrammeSection(std::string_view name) {
    std::string s(kSectionProgramme);
    s += ' ';
    s += name;
    return s;
}

std::vector<TCla> DefaultBindings() {
    return {{true, 3, "Touche P.Précédent", ""},
            {true, 7, "Touche P.Suivant", ""},
            {true, 5, "Touche Lec/Pause", ""},
            {true, 6, "Touche Stop", ""}};
}

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
    const int count = ReadCount(store, kSectionClavier, "ClavierNb", -1);
    if (count < 0) {
        Bindings = DefaultBindings();
    } else {
        Bindings.assign(static_cast<std::size_t>(count), TCla{});
        for (int i = 0; i < count; ++i) {
            TCla& b = Bindings[static_cast<std::size_t>(i)];
            b.Activer = store.ReadBoolean(kSectionClavier, Indexed("Activer ", i), true, true);
            b.Action =
                ActionNumber(store.ReadInteger(kSectionClavier, Indexed("Action ", i), 0, true));
            b.Touche = store.ReadText(kSectionClavier, Indexed("Touche ", i), "", true);
            b.Chemin = store.ReadText(kSectionClavier, Indexed("Chemin ", i), "", true);
        }
    }

    AfficheBT = store.ReadBoolean(kSectionCopie, "AfficheBT", false, true);
    CopyPath = store.ReadText(kSectionCopie, "Chemin", "C:\\Music", true);

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
    // A binding without a key can never be pressed: the file keeps only the
    // others, and no row of an earlier, longer list.
    const int before = ReadCount(store, kSectionClavier, "ClavierNb", 0);
    int n = 0;
    for (const TCla& b : Bindings) {
        if (b.Touche.empty()) continue;
        store.WriteBoolean(kSectionClavier, Indexed("Activer ", n), b.Activer, true);
        store.WriteInteger(kSectionClavier, Indexed("Action ", n), b.Action, true);
        store.WriteText(kSectionClavier, Indexed("Touche ", n), b.Touche, true);
        store.WriteText(kSectionClavier, Indexed("Chemin ", n), b.Chemin, true);
        ++n;
    }
    store.WriteInteger(kSectionClavier, "ClavierNb", n, true);
    // The rows the file counted, and any that follow them.
    for (bool stale = true; stale || n < before; ++n) {
        stale = false;
        for (const char* key : {"Activer ", "Action ", "Touche ", "Chemin "}) {
            if (!store.HasKey(kSectionClavier, Indexed(key, n), true)) continue;
            store.DeleteKey(kSectionClavier, Indexed(key, n), true);
            stale = true;
        }
    }

    store.WriteBoolean(kSectionCopie, "AfficheBT", AfficheBT, true);
    store.WriteText(kSectionCopie, "Chemin", CopyPath, true);

    store.WriteInteger(kSectionOption, "PasVolume", VolumeStep, true);
    store.WriteInteger(kSectionOption, "PasSecondes", SeekStep, true);
}

void COption::ProgrammeLoad(const SettingsStore& store, const std::string& name, bool makeCurrent,
                            const TrackLookup& lookup) {
    if (makeCurrent) ProgTitre = name;
    const std::string section = ProgrammeSection(name);
    ProgNb = ReadCount(store, section, "ProgNb", 0);
    Programme.assign(static_cast<std::size_t>(ProgNb), TProg{});
    for (int i = 0; i < ProgNb; ++i) {
        TProg& e = Programme[static_cast<std::size_t>(i)];
        e.N = store.ReadInteger(section, Indexed("ProgN ", i), 1, true);
        e.T = store.ReadText(section, Indexed("ProgT ", i), "", true);
        e.D = store.ReadInteger(section, Indexed("ProgD ", i), 0, true);
        e.F = store.ReadInteger(section, Indexed("ProgF ", i), 0, true);
        e.N = e.T.empty() || !lookup ? 0 : lookup(e.T);
    }
}

void COption::ProgrammeSave(SettingsStore& store, const std::string& name) {
    const std::string title = name.empty() ? std::string(kDefaultProgramme) : name;
    if (store.ReadInteger(kSectionProgramme, "nbProgTitre", 0, true) == 0) {
        ProgTitre = title;
        store.WriteInteger(kSectionProgramme, "nbProgTitre", 1, true);
        store.WriteText(kSectionProgramme, "ProgTitre 0", title, true);
    }
    const std::string section = ProgrammeSection(title);
    ProgNb = static_cast<int>(Programme.size());
    store.WriteInteger(section, "ProgNb", ProgNb, true);
    for (int i = 0; i < ProgNb; ++i) {
        const TProg& e = Programme[static_cast<std::size_t>(i)];
        store.WriteInteger(section, Indexed("ProgN ", i), e.N, true);
        store.WriteText(section, Indexed("ProgT ", i), e.T, true);
        store.WriteInteger(section, Indexed("ProgD ", i), e.D, true);
        store.WriteInteger(section, Indexed("ProgF ", i), e.F, true);
    }
}

} // namespace pilotune
