#include "programmes/Programmes.h"

#include <algorithm>
#include <climits>

#include "player/Playlist.h"
#include "programmes/ProgrammePorts.h"
#include "settings/SettingsStore.h"

namespace pilotune {

namespace {

// ProgPos below -1 marks the entry to resume at (-ProgPos - 1); the position
// just before it is -ProgPos - 2.
long long BeforeResumedEntry(int mark) {
    return -static_cast<long long>(mark) - 2;
}

int ToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace

void CProgrammes::Lecture(bool modeFlag, const std::string& given) {
    COption& opt = option_;
    bar_.ShowPlayPicture();
    if (!modeFlag) opt.ProgLecture = !opt.ProgLecture;
    // A name is used as the settings file holds it (trimmed, and without what
    // its code page lacks): its section and the current name then agree.
    const std::string name = given.empty() ? given : store_.AsStored(given);
    if (!name.empty() && name != store_.AsStored(opt.ProgTitre)) opt.ProgLecture = true;
    if (opt.ProgLecture) {
        if (player_.Etat() != PlayerState::Playing) player_.Jouer();
        opt.ProgEnreg = false;
        Enregistre(true);
        if (!name.empty()) ProgrammeLoad(name, true);
    }
    opt.ProgPos = opt.ProgPos < -1 ? ToInt(BeforeResumedEntry(opt.ProgPos)) : -1;
    ProgrammeNext();
    bar_.CocherLireProg(opt.ProgLecture);
}

void CProgrammes::Enregistre(bool modeFlag) {
    COption& opt = option_;
    bar_.ShowStopPicture();
    if (!modeFlag) opt.ProgEnreg = !opt.ProgEnreg;
    if (opt.ProgEnreg) {
        opt.ProgLecture = false;
        Lecture(true, "");
    }
    bar_.CocherEnregistrerProg(opt.ProgEnreg);
}

bool CProgrammes::CanReplay() {
    return option_.ProgLecture && !option_.LoopOn && !option_.Programme.empty() &&
           player_.Etat() != PlayerState::Stopped;
}

void CProgrammes::ProgrammeStep(bool trackChanged) {
    COption& opt = option_;
    if (opt.ProgEnreg && trackChanged) Record();
    if (!CanReplay()) return;
    opt.ProgEnreg = false;
    Enregistre(true);
    const long long count = static_cast<long long>(opt.Programme.size());
    if (opt.ProgPos < 0 || opt.ProgPos >= count) {
        // No entry reached yet (replay was switched on while the loop mode
        // held it back): start with the first playable entry.
        ProgrammeNext();
        return;
    }
    const TProg& e = opt.Programme[static_cast<std::size_t>(opt.ProgPos)];
    const int t = player_.Position();
    const bool outside = t < e.D || t > e.F;
    const bool hasWindow = static_cast<long long>(e.D) + e.F > 0;
    if (trackChanged || (outside && hasWindow)) ProgrammeNext();
}

void CProgrammes::ProgrammeNext() {
    COption& opt = option_;
    if (CanReplay()) {
        const long long count = static_cast<long long>(opt.Programme.size());
        long long pos = opt.ProgPos < -1 ? BeforeResumedEntry(opt.ProgPos) : opt.ProgPos;
        ++pos;
        while (pos < count && opt.Programme[static_cast<std::size_t>(pos)].N == 0)
            ++pos;
        if (pos < count) {
            const TProg& e = opt.Programme[static_cast<std::size_t>(pos)];
            opt.ProgPos = static_cast<int>(pos);
            opt.CurrentTrack = e.N; // our own jump is not a track change
            player_.JouerTitre(e.N);
            player_.AllerA(e.D);
        } else {
            opt.ProgPos = ToInt(count);
        }
        if (pos >= count - 1) { // the last entry plays on as a normal track
            opt.ProgLecture = false;
            Lecture(true, "");
        }
    }
    bar_.CocherLireProg(opt.ProgLecture);
}

void CProgrammes::Record() {
    COption& opt = option_;
    opt.ProgLecture = false;
    Lecture(true, "");
    TProg e;
    e.N = player_.NumeroTitre();
    if (e.N < 1) return; // no track: nothing to take
    e.T = std::string(FileNamePart(player_.FichierTitre(e.N)));
    // The player gave no fresh playlist: an unknown name is never recorded.
    if (e.T.empty()) return;
    e.D = 0;
    e.F = 0;
    opt.Programme.push_back(std::move(e));
    opt.ProgNb = static_cast<int>(opt.Programme.size());
    opt.ProgrammeSave(store_, opt.ProgTitre);
}

void CProgrammes::ProgrammeLoad(const std::string& name, bool makeCurrent) {
    option_.ProgrammeLoad(store_, name, makeCurrent, Lookup());
}

TrackLookup CProgrammes::Lookup() {
    return [this](const std::string& fileName) { return player_.ChercherTitre(fileName); };
}

std::vector<std::string> ReadProgrammeNames(const SettingsStore& store) {
    std::vector<std::string> names;
    for (std::string& name : ReadStoredProgrammeNames(store))
        if (!name.empty() && !HasProgrammeName(names, name)) names.push_back(std::move(name));
    return names;
}

bool HasProgrammeName(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return SameFileName(n, name); });
}

} // namespace pilotune
