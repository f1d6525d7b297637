#pragma once
// ExecuterAction: the one place where every action of the program is carried
// out, whatever its source. Re-entrant: some actions run others.
#include <string>
#include <string_view>

#include "schedule/Action.h"

namespace pilotune {

struct BarState;
class PlaybackMonitor;

// How many seconds the shutdown countdown starts from.
inline constexpr int kCountdownSeconds = 10;

class Dispatcher {
  public:
    Dispatcher(BarState& bar, PlaybackMonitor& monitor) : bar_(bar), monitor_(monitor) {}

    // `modeFlag`: for the on/off actions, apply the present state without
    // switching it; for RECULER and AVANCER, use the shuffle history; for
    // MISEAJOUR, show the result even when there is nothing new. Values
    // outside the catalogue do nothing. Afterwards the menu items "Jouer",
    // "Pause" and "Stopper" are marked after the player's state.
    void ExecuterAction(int action, bool modeFlag, const std::string& parameter = {});

    // A click on an item of ppmPrincipale or ppmPlan.
    void PrincipaleClick(std::string_view itemName);
    void PlanClick(std::string_view itemName);

    bool PositionLocked();

  private:
    void Run(int action, bool modeFlag, const std::string& parameter);
    void MarkPlayerState();

    BarState& bar_;
    PlaybackMonitor& monitor_;
};

} // namespace pilotune
