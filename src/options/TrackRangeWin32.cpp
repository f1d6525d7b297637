#include "options/TrackRangeWin32.h"

#include "player/Playlist.h"
#include "player/Winamp.h"

namespace pilotune {

std::string TrackTitle(TPilotune* player, int n) {
    if (n < 1 || !player) return {};
    return std::string(FileNamePart(player->FichierTitre(n)));
}

void SetTrackMask(SpinEdit& spin, int tracks) {
    spin->SetCoeficient("1000000 1000 1");
    spin->SetMaskMin("0 000 001");
    spin->SetMaskMax(std::to_string(tracks > 0 ? tracks : 1));
}

void FollowTrackRange(SpinEdit& from, SpinEdit& to, const SpinEdit& changed, const Edit& title,
                      TPilotune* player) {
    const int n = changed->Position();
    if (n > 0) title.SetText(TrackTitle(player, n));
    if (from->Position() <= to->Position()) return;
    if (&changed == &from)
        to->SetPosition(from->Position());
    else
        from->SetPosition(to->Position());
}

} // namespace pilotune
