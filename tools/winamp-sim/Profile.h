#pragma once
// What the simulated player is: a Winamp 2 that writes its playlist beside its
// exe, a Winamp 5 or WACUP that keeps it under the user's profile and tells
// where, or foobar2000's Winamp interface with its own ways (see README.md).
#include "Track.h"

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace winampsim {

enum class Profile { Winamp2, Winamp5, Wacup, Foobar2000 };

class ProfileAnswers {
  public:
    // `playlistFile`: foobar2000's option that makes it write winamp.m3u.
    ProfileAnswers(Profile profile, bool unicode, bool playlistFile);

    Profile Kind() const { return profile_; }
    // WM_USER 120: writes the playlist where and as this player does.
    void WritePlaylist(const std::vector<Track>& tracks);
    // WM_USER 338 (wide) / 337: the address of the playlist folder in this
    // process's memory; 0 for a player that does not know the question.
    LRESULT FolderAddress(bool wide);
    // The number the caption gives the entry of index `index`.
    int CaptionNumber(int index) const {
        return profile_ == Profile::Foobar2000 ? index : index + 1;
    }
    // Whether WM_COMMAND 40046 resumes a paused player.
    bool PauseToggles() const { return profile_ != Profile::Foobar2000; }
    // Whether WM_USER 105 with wParam 2 and WM_USER 125 are answered as documented.
    bool FullAnswers() const { return profile_ != Profile::Foobar2000; }
    // Whether WM_USER 122 with wParam -666 and WM_USER 251 tell the volume and
    // the repeat state (else they answer 0).
    bool AnswersVolume() const { return profile_ != Profile::Foobar2000; }

  private:
    Profile profile_;
    bool unicode_;
    bool playlistFile_;
    std::wstring folder_;     // where the playlist goes; empty: nowhere
    std::wstring wideAnswer_; // the strings answered by address
    std::string ansiAnswer_;
    std::deque<std::wstring> wacupWide_; // WACUP: a new string at every call
    std::deque<std::string> wacupAnsi_;
};

// "winamp2", "winamp5", "wacup", "foobar2000" (any case); false for another name.
bool ProfileNamed(const std::wstring& name, Profile& out);

} // namespace winampsim
