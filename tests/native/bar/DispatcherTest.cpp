#include "BarFixture.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {
class Dispatch : public BarTest {
  protected:
    Dispatch() { StartBar(); }
};

struct Route {
    int action;
    bool mode;
    std::string parameter;
    std::vector<std::string> calls; // services, in order
    std::vector<unsigned> commands; // to the player, in order
    bool fileExists = false;
    bool fullScreen = false;
    int state = 1; // the player's: 1 playing, 3 paused, 0 stopped
};
} // namespace

// The routes with a condition, a parameter or an order of calls; the plain
// one-call routes, and the buttons' routes driven on the simulator, are not
// repeated here.
TEST_F(Dispatch, ConditionalRoutesAndUnknownActions) {
    const unsigned kSearch = kCmdSearchWindow;
    const std::vector<Route> routes{
        {ARRETER, false, "", {"ShowCountdown 10 force shutdown"}, {}},
        {EXECUTER,
         false,
         "C:\\Outils\\note.txt",
         {"FileExists C:\\Outils\\note.txt", "OpenFile C:\\Outils\\note.txt"},
         {},
         true},
        {EXECUTER, false, "C:\\absent.txt", {"FileExists C:\\absent.txt"}, {}},
        {EXECUTER, false, "", {}, {}, true},
        {LANCERWINAMP, false, "", {}, {}},
        {FERMERWINAMP, false, "", {}, {kCmdClose}},
        {LECTUREPROGRAMME, false, "Soirée", {"ProgrammePlayback 0 Soirée"}, {}},
        {LECTUREPROGRAMME, true, "", {"ProgrammePlayback 1 "}, {}},
        {ENREGISTREPROGRAMME, true, "", {"ProgrammeRecording 1"}, {}},
        {AFFICHEOPTION, false, "", {"ShowOptions", "MakeBarTopmost", "FocusOptions"}, {}},
        {PLEINECRAN, false, "", {"OpenFullScreen", "MakeBarTopmost", "FocusFullScreen"}, {}},
        {PLEINECRAN, false, "", {"CloseFullScreen"}, {}, false, true},
        {MISEAJOUR, true, "", {"CheckForUpdate 1"}, {}},
        {AFFICHECHERCHEURTITRE, false, "", {}, {kSearch}},
        // Pause resumes when stopped or paused (it pauses when playing).
        {PAUSER, false, "", {}, {kCmdPlay}, false, false, 0},
        {PAUSER, false, "", {}, {kCmdPlay}, false, false, 3},
        {ARIEN, false, "C:\\Outils\\note.txt", {}, {}, true},
        {33, false, "", {}, {}},
        {-1, true, "", {}, {}},
    };
    for (const Route& r : routes) {
        services.Clear();
        window.commands.clear();
        window.present = true; // FERMERWINAMP closes it
        services.fileExists = r.fileExists;
        services.fullScreen = r.fullScreen;
        window.state = r.state;
        Run(r.action, r.mode, r.parameter);
        EXPECT_EQ(services.calls, r.calls) << "action " << r.action << " " << r.parameter;
        EXPECT_EQ(window.commands, r.commands) << "action " << r.action;
    }
}

TEST_F(Dispatch, PlayerStateMarksFollowEveryCallWithOneQuery) {
    Menu& menu = bar.state.menus.principale;
    const int before = window.queries;
    Run(ARIEN);
    EXPECT_EQ(window.queries - before, 1);
    EXPECT_TRUE(menu[kMnuJouer].checked);
    EXPECT_FALSE(menu[kMnuPause].checked);
    EXPECT_FALSE(menu[kMnuStopper].checked);
    Run(PAUSER);
    EXPECT_TRUE(menu[kMnuPause].checked);
    EXPECT_FALSE(menu[kMnuJouer].checked);
    Run(STOPPER);
    EXPECT_TRUE(menu[kMnuStopper].checked);
    EXPECT_FALSE(menu[kMnuPause].checked);

    window.state = 1;
    window.answersBeforeHang = 0; // there, but silent: the marks stay
    Run(ARIEN);
    EXPECT_TRUE(menu[kMnuStopper].checked);
    EXPECT_FALSE(menu[kMnuJouer].checked);
    window.answersBeforeHang = -1;
    Run(ARIEN);
    EXPECT_TRUE(menu[kMnuJouer].checked);
    window.present = false; // gone: stopped
    Run(ARIEN);
    EXPECT_TRUE(menu[kMnuStopper].checked);
    EXPECT_FALSE(menu[kMnuJouer].checked);
}

TEST_F(Dispatch, TransportActionsDuringAProgrammeDriveTheProgramme) {
    option.ProgLecture = true;
    option.ProgPos = 0;
    Run(RECULER, true);
    EXPECT_EQ(option.ProgPos, -1); // the first entry again, not before it
    option.ProgPos = 3;
    Run(RECULER);
    EXPECT_EQ(option.ProgPos, 1);
    Run(AVANCER, true);
    Run(JOUER); // ends the replay instead of pressing play
    EXPECT_EQ(services.calls, (std::vector<std::string>{"ProgrammeNext", "ProgrammeNext",
                                                        "ProgrammeNext", "ProgrammePlayback 0 "}));
    EXPECT_TRUE(window.commands.empty());

    services.Clear();
    option.ProgLecture = false;
    option.ProgEnreg = true;
    Run(STOPPER); // ends the recording instead of stopping the player
    EXPECT_EQ(services.calls, (std::vector<std::string>{"ProgrammeRecording 0"}));
    EXPECT_TRUE(window.commands.empty());
}

TEST_F(Dispatch, LoopActionShowsTheStoredStateWithTheModeFlag) {
    Run(BOUCLE, true); // LoopOn off: stays off, display cleared
    EXPECT_FALSE(option.LoopOn);
    EXPECT_EQ(E("imgSens").picture, "imgNormale");
    for (const MenuItem& item : bar.state.menus.boucle.Items())
        EXPECT_FALSE(item.checked);

    option.NbBoucle = 0; // used up: the stored count comes back
    store.WriteInteger(kSectionOption, "NbBoucle", 4, true);
    window.current = 6;
    Run(BOUCLE);
    EXPECT_TRUE(option.LoopOn);
    EXPECT_EQ(option.NbBoucle, 4);
    EXPECT_EQ(option.LoopTrack, 7);
    EXPECT_EQ(E("lblNbBoucleN").text, "4");
    EXPECT_EQ(E("lblNbBoucleB").popupMenu, "ppmBoucle");
    EXPECT_TRUE(bar.state.menus.boucle["mnuBoucle4"].checked);

    Run(BOUCLE, true); // on stays on
    EXPECT_TRUE(option.LoopOn);
    Run(BOUCLE);
    Run(EXTRAIT);
    option.NbBoucle = 0;
    store.WriteInteger(kSectionOption, "NbBoucle", 57, true); // not a loop count
    Run(BOUCLE);
    EXPECT_EQ(option.NbBoucle, 1);
    EXPECT_EQ(E("imgSens").picture, "imgExtraitBoucle");
    EXPECT_TRUE(bar.state.menus.boucle[kMnuExtrait].checked);
}

TEST_F(Dispatch, LoopMenuSetsTheCountAndAMarkedCountSwitchesTheLoopOff) {
    bar.MenuClick("ppmBoucle", "mnuBoucle3");
    EXPECT_TRUE(option.LoopOn);
    EXPECT_EQ(option.NbBoucle, 3);
    EXPECT_EQ(E("lblNbBoucleB").text, "3");
    bar.MenuClick("ppmBoucle", "mnuBoucle9");
    EXPECT_TRUE(option.LoopOn);
    EXPECT_EQ(E("lblNbBoucleB").text, "");
    EXPECT_FALSE(bar.state.menus.boucle["mnuBoucle3"].checked);
    EXPECT_TRUE(bar.state.menus.boucle["mnuBoucle9"].checked);
    bar.MenuClick("ppmBoucle", "mnuBoucle9");
    EXPECT_FALSE(option.LoopOn);
    EXPECT_FALSE(bar.state.menus.boucle["mnuBoucle9"].checked);

    services.fullScreen = true;
    bar.MenuClick("ppmBoucle", "mnuExtrait");
    EXPECT_TRUE(option.ExcerptOn);
    EXPECT_EQ(E("imgSens").picture, "imgExtrait");
    EXPECT_EQ(services.calls, (std::vector<std::string>{"RefreshFullScreenView"}));
}

TEST_F(Dispatch, RearmTakesTheNumberAtTheStartOfTheParameter) {
    services.scheduleEntries = 5;
    for (const char* parameter : {"2", " +2abc", "x", "7", "-1", "5", "4 - Jouer"})
        Run(RELANCERACTION, false, parameter);
    EXPECT_EQ(services.calls, (std::vector<std::string>{"ScheduleRearm 2", "ScheduleRearm 2",
                                                        "ScheduleRearm 0", "ScheduleRearm 4"}));
    services.Clear();
    services.scheduleEntries = 0;
    Run(RELANCERACTION, false, "0");
    EXPECT_TRUE(services.calls.empty());
}

TEST_F(Dispatch, OnOffActionsToggleUnlessTheModeFlagAsksForTheStoredState) {
    Menu& menu = bar.state.menus.principale;
    option.CacheWA = true;
    struct Step {
        int action;
        bool mode;
        bool* setting;
        const char* item; // its menu mark follows, when it has one
        bool expected;
    } steps[] = {
        {CACHERWINAMP, true, &option.CacheWA, kMnuCacherWinamp, true},
        {CACHERWINAMP, false, &option.CacheWA, kMnuCacherWinamp, false},
        {CACHERAUTOPROG, false, &option.CacheAuto, kMnuCacheAuto, true},
        {CACHERAUTOPROG, true, &option.CacheAuto, kMnuCacheAuto, true},
        {AFFICHENEGATIF, false, &option.AffichageNeg, nullptr, true},
        {HAZARD, false, &window.shuffle, kMnuHazard, true},
        {FORCEHAZARD, false, &window.shuffle, kMnuHazard, true}, // already on: nothing
        {FORCECONTINU, false, &window.shuffle, kMnuHazard, false},
        {FORCECONTINU, false, &window.shuffle, kMnuHazard, false},
        {FORCEHAZARD, false, &window.shuffle, kMnuHazard, true},
    };
    for (const Step& s : steps) {
        Run(s.action, s.mode);
        EXPECT_EQ(*s.setting, s.expected) << s.action << (s.mode ? " stored" : "");
        if (s.item) EXPECT_EQ(menu[s.item].checked, s.expected) << s.action;
    }
    EXPECT_EQ(E("lblHazardN").text, "BCA");
    Run(FORCECONTINU);
    EXPECT_EQ(E("lblHazardB").text, "ABC");
}

TEST_F(Dispatch, MainAndScheduleMenus) {
    Menu& menu = bar.state.menus.principale;
    EXPECT_TRUE(bar.dispatcher.PositionLocked());
    bar.MenuClick("ppmPrincipale", kMnuVerrouiller);
    EXPECT_FALSE(bar.dispatcher.PositionLocked());
    EXPECT_FALSE(menu[kMnuVerrouiller].checked);
    bar.MenuClick("ppmPrincipale", kMnuPlanification);
    bar.MenuClick("ppmPlan", kMnuAnnuler);
    bar.MenuClick("ppmPlan", kMnuAnnulerTout);
    bar.MenuClick("ppmPrincipale", "mnuQuitter");
    bar.MenuClick("ppmPrincipale", "mnuInconnu");
    bar.MenuClick("ppmInconnu", "mnuQuitter");
    EXPECT_EQ(services.calls,
              (std::vector<std::string>{"ShowOptions", "MakeBarTopmost", "FocusOptions",
                                        "ShowOptionsSchedulePage", "ScheduleCancel",
                                        "ScheduleCancelAll", "CloseProgram"}));
    window.commands.clear();
    window.shuffle = true;
    bar.MenuClick("ppmPrincipale", "mnuAvancer"); // from the menu: through the history
    EXPECT_EQ(window.commands, (std::vector<unsigned>{kCmdNext}));
}
