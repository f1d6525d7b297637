#pragma once
// What follows a change of the player's track or volume: the on-screen
// display and the now-playing file, as the settings ask.
#include <windows.h>

#include <functional>
#include <string>

#include "app/NowPlayingWin32.h"
#include "windows/FAffichageWin32.h"

namespace pilotune {

class COption;
class TPilotune;
struct TrackFields;

class TrackNotices {
  public:
    // `bar`: the window whose monitor the display shows on; `tell`: a
    // failure message for the user, shown without holding anything up.
    TrackNotices(COption& option, TPilotune& player, std::function<HWND()> bar,
                 std::function<void(const std::string&)> tell);

    void TrackChanged();
    void VolumeChanged(int level); // 0..255
    // The current track into the now-playing file, when the settings name
    // one: at start and after the settings change, not only on a new track.
    void WriteNowPlaying();

    TfrmAffichage& Affichage() { return affichage_; }
    NowPlayingFile& NowPlaying() { return nowPlaying_; }

  private:
    void Write(TrackFields& track);

    COption& option_;
    TPilotune& player_;
    std::function<HWND()> bar_;
    TfrmAffichage affichage_;
    NowPlayingFile nowPlaying_;
};

// The setting's file; a relative path starts from the program's folder.
std::string NowPlayingPath(const std::string& setting);

} // namespace pilotune
