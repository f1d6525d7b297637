#pragma once
// The bar's popup menus as data: the main menu (bar and tray icon), the
// schedule menu of the info label, the loop menu and the played-tracks menu.
#include <optional>
#include <string>
#include <string_view>

#include "schedule/Action.h"
#include "ui/Elements.h"

namespace pilotune {

inline constexpr int kLoopInfinite = 9; // loop count that never runs out
inline constexpr int kTrackMenuItems = 21;

struct BarMenus {
    Menu principale{"ppmPrincipale"};
    Menu plan{"ppmPlan"};
    Menu boucle{"ppmBoucle"};
    Menu liste{"ppmListe"};
};

BarMenus BuildBarMenus();

// Item names.
inline constexpr const char* kMnuJouer = "mnuJouer";
inline constexpr const char* kMnuPause = "mnuPause";
inline constexpr const char* kMnuStopper = "mnuStopper";
inline constexpr const char* kMnuHazard = "mnuHazard";
inline constexpr const char* kMnuLireProg = "mnuLireProg";
inline constexpr const char* kMnuEnregistrerProg = "mnuEnregistrerProg";
inline constexpr const char* kMnuPlanification = "mnuPlanification";
inline constexpr const char* kMnuCacheAuto = "mnuCacheAuto";
inline constexpr const char* kMnuVerrouiller = "mnuVerrouiller";
inline constexpr const char* kMnuCacherWinamp = "mnuCacherWinamp";
inline constexpr const char* kMnuAnnuler = "mnuAnnuler";
inline constexpr const char* kMnuAnnulerTout = "mnuAnnulerTout";
inline constexpr const char* kMnuExtrait = "mnuExtrait";
inline constexpr const char* kMnuRepeter = "mnuRepeter";
inline constexpr const char* kMnuStopperApres = "mnuStopperApres";
inline constexpr const char* kMnuFondu = "mnuFondu";
inline constexpr const char* kMnuMuet = "mnuMuet";
// "mnuBoucle1" .. "mnuBoucle8", and "mnuBoucle9" for "Boucle Infini".
std::string LoopItemName(int count);
// The count of a loop menu item, nullopt for any other name.
std::optional<int> LoopItemCount(std::string_view itemName);
// "mnuListe0" .. "mnuListe20".
std::string TrackItemName(int k);
std::optional<int> TrackItemIndex(std::string_view itemName);

// What an item of the main menu runs through the dispatcher; nullopt for the
// items that do something else (position lock, schedule page).
struct MenuCommand {
    TAction action;
    bool modeFlag;
};
std::optional<MenuCommand> PrincipaleCommand(std::string_view itemName);

} // namespace pilotune
