#pragma once
// The control bar's logic in one piece: its state, the dispatcher and the
// playback monitor, wired together. The form owns one and forwards to it.
#include <string_view>

#include "bar/BarState.h"
#include "bar/Dispatcher.h"
#include "bar/PlaybackMonitor.h"

namespace pilotune {

class BarLogic {
  public:
    BarLogic(COption& option, TPilotune& player, SettingsStore& store, BarServices& services)
        : state(option, player, store, services), dispatcher(state, monitor),
          monitor(state, dispatcher) {}
    BarLogic(const BarLogic&) = delete;
    BarLogic& operator=(const BarLogic&) = delete;

    // A click on an item of one of the bar's menus, by the menu's name.
    void MenuClick(std::string_view menuName, std::string_view itemName);
    // The menu to open by its name, the main menu for any other name; the
    // track list filled when it is the one.
    Menu& MenuToOpen(std::string_view menuName);

    BarState state;
    Dispatcher dispatcher;
    PlaybackMonitor monitor;
};

} // namespace pilotune
