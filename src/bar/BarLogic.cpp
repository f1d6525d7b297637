#include "bar/BarLogic.h"

namespace pilotune {

void BarLogic::MenuClick(std::string_view menuName, std::string_view itemName) {
    BarMenus& menus = state.menus;
    if (menuName == menus.principale.Name()) {
        dispatcher.PrincipaleClick(itemName);
    } else if (menuName == menus.plan.Name()) {
        dispatcher.PlanClick(itemName);
    } else if (menuName == menus.boucle.Name()) {
        monitor.LoopMenuClick(itemName);
    } else if (menuName == menus.liste.Name()) {
        if (auto k = TrackItemIndex(itemName)) state.history.MenuClick(*k, state.player);
    }
}

void BarLogic::OpenTrackMenu() {
    state.history.FillMenu(state.menus.liste, state.player);
}

} // namespace pilotune
