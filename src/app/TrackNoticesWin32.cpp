#include "app/TrackNoticesWin32.h"

#include "app/NowPlaying.h"
#include "base/PathsWin32.h"
#include "player/Winamp.h"
#include "settings/Option.h"

namespace pilotune {

TrackNotices::TrackNotices(COption& option, TPilotune& player, std::function<HWND()> bar,
                           std::function<void(const std::string&)> tell)
    : option_(option), player_(player), bar_(std::move(bar)), nowPlaying_(std::move(tell)) {}

void TrackNotices::TrackChanged() {
    const bool write = !option_.FichierEnCours.empty();
    if (!option_.AfficheTitre && !write) return;
    TrackFields track;
    SplitPlayerTitle(player_.Titre(), track);
    const std::string shown = ExpandNowPlaying(kModeleEnCoursDefaut, track);
    if (option_.AfficheTitre && !shown.empty())
        affichage_.ShowTitle(shown, bar_(), option_.AfficheCoin);
    if (write) Write(track);
}

void TrackNotices::WriteNowPlaying() {
    if (option_.FichierEnCours.empty()) return;
    TrackFields track;
    SplitPlayerTitle(player_.Titre(), track);
    Write(track);
}

void TrackNotices::Write(TrackFields& track) {
    track.number = player_.NumeroTitre();
    track.length = player_.Duree();
    if (option_.ModeleEnCours.find("{file}") != std::string::npos)
        track.file = player_.FichierTitre(track.number);
    nowPlaying_.Write(NowPlayingPath(option_.FichierEnCours),
                      ExpandNowPlaying(option_.ModeleEnCours, track));
}

void TrackNotices::VolumeChanged(int level) {
    if (option_.AfficheVolume) affichage_.ShowVolume(level, bar_(), option_.AfficheCoin);
}

std::string NowPlayingPath(const std::string& setting) {
    const bool rooted = setting.find(':') != std::string::npos || setting.starts_with("\\\\");
    return rooted ? setting : ProgramFolder() + setting;
}

} // namespace pilotune
