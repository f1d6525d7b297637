#pragma once
// What the bar's logic works on: its elements and menus, the shared objects,
// and the bar's own run-time state. One per bar; never copied (the twins point
// into the scene).
#include "bar/BarMenus.h"
#include "bar/BarScene.h"
#include "bar/BarServices.h"
#include "bar/ShuffleHistory.h"
#include "bar/SoundActions.h"
#include "ui/Elements.h"

namespace pilotune {

class COption;
class SettingsStore;
class TPilotune;

// `shadow`: how far right and up each black copy lies (1 pixel at 96 DPI).
struct BarTwins {
    explicit BarTwins(Scene& scene, int shadow = 1)
        : duree(scene, "lblDuree", shadow, -shadow), titre(scene, "lblTitre", shadow, -shadow),
          info(scene, "lblInfo", shadow, -shadow), hazard(scene, "lblHazard", shadow, -shadow),
          option(scene, "lblOption", shadow, -shadow),
          nbBoucle(scene, "lblNbBoucle", shadow, -shadow),
          copier(scene, "lblCopier", shadow, -shadow), avance(scene, "shaAvance", shadow, -shadow),
          bord1(scene, "shaBord1", shadow, -shadow), bord2(scene, "shaBord2", shadow, -shadow),
          repeter(scene, "lblRepeter", shadow, -shadow) {}
    Twin duree, titre, info, hazard, option, nbBoucle, copier, avance, bord1, bord2, repeter;
};

// The single elements the bar's code changes at run time, reached by name once.
struct BarElements {
    explicit BarElements(Scene& scene)
        : fond(scene["imgFond"]), joue(scene["imgJoue"]), stop(scene["imgStop"]),
          sens(scene["imgSens"]), selection(scene["shaSelection"]) {}
    Element &fond, &joue, &stop, &sens, &selection;
};

struct BarState {
    BarState(COption& option, TPilotune& player, SettingsStore& store, BarServices& services)
        : option(option), player(player), store(store), services(services) {}
    BarState(const BarState&) = delete;
    BarState& operator=(const BarState&) = delete;

    COption& option;
    TPilotune& player;
    SettingsStore& store;
    BarServices& services;

    Scene scene = BuildBarScene();
    BarTwins twins{scene};
    BarElements elements{scene};
    BarMenus menus = BuildBarMenus();
    ShuffleHistory history;
    SoundState sound;

    int hideCounter = 0;         // ticks since the mouse last moved over the bar
    int height = kBarHeight;     // the form sets its window's height from this
    int fullHeight = kBarHeight; // the height when not hidden, at the bar's DPI
};

} // namespace pilotune
