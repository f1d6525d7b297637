#pragma once
// What the programme and copy pages share: a range of playlist entries in two
// spin edits ("Numéro de :", "Numéro à :") with the title of the entry last
// set shown beside them.
#include <string>

#include "components/SpinEditWin32.h"
#include "ui/EditWin32.h"

namespace pilotune {

class TPilotune;

// The file name of playlist entry `n`; empty below 1 or without a player.
std::string TrackTitle(TPilotune* player, int n);
// A spin edit of playlist numbers ("0 000 001"), up to `tracks` (at least 1).
void SetTrackMask(SpinEdit& spin, int tracks);
// After the user set `changed` (one of `from` and `to`): its title shows, and
// the other follows so that the range never runs backwards.
void FollowTrackRange(SpinEdit& from, SpinEdit& to, const SpinEdit& changed, const Edit& title,
                      TPilotune* player);

} // namespace pilotune
