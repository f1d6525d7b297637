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

Menu& BarLogic::MenuToOpen(std::string_view menuName) {
    BarMenus& menus = state.menus;
    if (menuName == menus.liste.Name()) {
        state.history.FillMenu(menus.liste, state.player);
        return menus.liste;
    }
    for (Menu* menu : {&menus.boucle, &menus.plan})
        if (menuName == menu->Name()) return *menu;
    return menus.principale;
}

} // namespace pilotune
