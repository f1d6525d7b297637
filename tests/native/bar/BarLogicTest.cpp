// The bar's logic over the scripted player, with recorded services.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "FakePlayer.h"
#include "NullBarServices.h"
#include "bar/BarLogic.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

// Records every call as a short text; a few answers are settable.
class RecordingServices final : public NullBarServices {
  public:
    std::vector<std::string> calls;
    bool fileExists = false;
    int scheduleEntries = 0;
    bool fullScreen = false;
    std::function<void()> onProgrammeStep;

    void Clear() { calls.clear(); }
    int Count(const std::string& call) const {
        return static_cast<int>(std::ranges::count(calls, call));
    }

    bool FileExists(const std::string& p) override {
        NullBarServices::FileExists(p);
        return fileExists;
    }
    void ProgrammeStep(bool changed) override {
        NullBarServices::ProgrammeStep(changed);
        if (onProgrammeStep) onProgrammeStep();
    }
    int ScheduleEntryCount() override { return scheduleEntries; }
    bool FullScreenExists() override { return fullScreen; }
    void OpenFullScreen() override {
        NullBarServices::OpenFullScreen();
        fullScreen = true;
    }
    void CloseFullScreen() override {
        NullBarServices::CloseFullScreen();
        fullScreen = false;
    }

  protected:
    void Heard(const std::string& call) override { calls.push_back(call); }
};

class BarTest : public ::testing::Test {
  protected:
    explicit BarTest(int tracks = 10) : window(tracks) {
        std::string& playlist = system.files[link.FichierListe()];
        for (int i = 1; i <= tracks; ++i)
            playlist += "C:\\Musique\\piste" + std::to_string(i) + ".mp3\r\n";
        option.NbBoucle = 9;
    }

    // The bar as after its creation: laid out, first track recorded.
    void StartBar() {
        LayoutBar(bar.state.scene, 1024, 450);
        bar.monitor.Start();
        services.Clear();
    }
    // Ten tracks of 5 s, the third playing, looped 3 times.
    void StartLoopingTrack3() {
        window.lengths.assign(10, 5);
        window.current = 2;
        option.NbBoucle = 3;
        StartBar();
        Run(BOUCLE);
    }
    // Plays `seconds` of player time, one tick per second.
    void PlayAndTick(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            window.Advance(1);
            bar.monitor.Tick();
        }
    }
    // One tick with the player at `ms` of the track.
    void TickAt(int ms) {
        window.positionMs = ms;
        bar.monitor.Tick();
    }
    void Run(int action, bool mode = false, const std::string& parameter = {}) {
        bar.dispatcher.ExecuterAction(action, mode, parameter);
    }
    const Element& E(std::string_view name) { return bar.state.scene[name]; }

    ScriptedPlayer window;
    FakePlayerSystem system;
    TPilotune link{window, system, "C:\\Program Files\\Winamp\\Winamp.exe"};
    COption option;
    SettingsStore store;
    RecordingServices services;
    BarLogic bar{option, link, store, services};
};

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
    int state = 1; // the player's: 1 playing, 3 paused, 0 stopped
};
class Monitor : public BarTest {};

class Shuffle : public BarTest {
  protected:
    Shuffle() : BarTest(50) {
        window.lengths.assign(50, 4);
        window.shuffle = true;
    }
    void Press(int action) {
        bar.dispatcher.ExecuterAction(action, true);
        bar.monitor.Tick();
    }
    // Lets the player go through these tracks (1-based) in shuffle order.
    void PlayThrough(std::initializer_list<int> tracks) {
        for (int t : tracks) {
            window.shuffleOrder.push_back(t - 1);
            PlayAndTick(4);
        }
    }
};
} // namespace

// Plain one-call routes, the buttons', the full-screen view's and an existing
// file's opening run on the simulator.
TEST_F(Dispatch, ConditionalRoutesAndUnknownActions) {
    const std::vector<Route> routes{
        {ARRETER, false, "", {"ShowCountdown 10 1 0"}, {}},
        {EXECUTER, false, "C:\\absent.txt", {"FileExists C:\\absent.txt"}, {}},
        {EXECUTER, false, "", {}, {}, true},
        {LANCERWINAMP, false, "", {}, {}},
        {FERMERWINAMP, false, "", {}, {kCmdClose}},
        {LECTUREPROGRAMME, true, "", {"ProgrammePlayback 1 "}, {}},
        {ENREGISTREPROGRAMME, true, "", {"ProgrammeRecording 1"}, {}},
        {AFFICHEOPTION, false, "", {"ShowOptions", "MakeBarTopmost", "FocusOptions"}, {}},
        {MISEAJOUR, true, "", {"CheckForUpdate 1"}, {}},
        {AFFICHECHERCHEURTITRE, false, "", {}, {kCmdSearchWindow}},
        // Pause resumes when stopped or paused (it pauses when playing).
        {PAUSER, false, "", {}, {kCmdPlay}, false, 0},
        {PAUSER, false, "", {}, {kCmdPlay}, false, 3},
        {ARIEN, false, "C:\\Outils\\note.txt", {}, {}, true},
        {33, false, "", {}, {}},
        {-1, true, "", {}, {}},
    };
    for (const Route& r : routes) {
        services.Clear();
        window.commands.clear();
        window.present = true; // FERMERWINAMP closes it
        services.fileExists = r.fileExists;
        window.state = r.state;
        Run(r.action, r.mode, r.parameter);
        EXPECT_EQ(services.calls, r.calls) << "action " << r.action << " " << r.parameter;
        EXPECT_EQ(window.commands, r.commands) << "action " << r.action;
    }
}

TEST_F(Dispatch, PlayerStateMarksFollowEveryCallWithOneQuery) {
    Menu& menu = bar.state.menus.principale;
    const auto marked = [&] { // the one of play, pause, stop that is marked
        std::string m;
        for (const char* item : {kMnuJouer, kMnuPause, kMnuStopper})
            if (menu[item].checked) m += item;
        return m;
    };
    const std::size_t before = window.sent.size();
    Run(ARIEN);
    EXPECT_EQ(window.sent.size() - before, 1u);
    EXPECT_EQ(marked(), kMnuJouer);
    Run(PAUSER);
    EXPECT_EQ(marked(), kMnuPause);
    Run(STOPPER);
    EXPECT_EQ(marked(), kMnuStopper);

    window.state = 1;
    window.answersBeforeHang = 0; // there, but silent: the marks stay
    Run(ARIEN);
    EXPECT_EQ(marked(), kMnuStopper);
    window.answersBeforeHang = -1;
    Run(ARIEN);
    EXPECT_EQ(marked(), kMnuJouer);
    window.present = false; // gone: stopped
    Run(ARIEN);
    EXPECT_EQ(marked(), kMnuStopper);
}

TEST_F(Dispatch, TransportActionsDuringAReplayDriveTheProgramme) {
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
}

TEST_F(Dispatch, LoopActionShowsTheStoredStateWithTheModeFlagAndTheLoopMenuSetsTheCount) {
    Run(BOUCLE, true); // LoopOn off: stays off, display cleared
    EXPECT_FALSE(option.LoopOn);
    EXPECT_EQ(E("imgSens").picture, "imgNormale");
    for (const MenuItem& item : bar.state.menus.boucle.Items())
        EXPECT_FALSE(item.checked);

    option.NbBoucle = 0; // used up: the stored count comes back
    store.WriteInteger(kSectionOption, "NbBoucle", 4, true);
    window.current = 6;
    Run(BOUCLE);
    EXPECT_EQ(std::tie(option.LoopOn, option.NbBoucle, option.LoopTrack), std::tuple(true, 4, 7));
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

    Run(EXTRAIT); // off again; the loop menu sets the count
    bar.MenuClick("ppmBoucle", "mnuBoucle3");
    EXPECT_EQ(std::tie(option.LoopOn, option.NbBoucle), std::tuple(true, 3));
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

TEST_F(Dispatch, OnOffActionsToggleUnlessTheModeFlagAsksForTheStoredState) {
    Menu& menu = bar.state.menus.principale;
    option.CacheWA = true;
    struct Step {
        int action;
        bool mode;
        bool* setting;
        const char* item; // its menu mark follows
        bool expected;
    } steps[] = {
        {CACHERWINAMP, true, &option.CacheWA, kMnuCacherWinamp, true},
        {CACHERWINAMP, false, &option.CacheWA, kMnuCacherWinamp, false},
        {CACHERAUTOPROG, false, &option.CacheAuto, kMnuCacheAuto, true},
        {CACHERAUTOPROG, true, &option.CacheAuto, kMnuCacheAuto, true},
        {HAZARD, false, &window.shuffle, kMnuHazard, true},
        {FORCEHAZARD, false, &window.shuffle, kMnuHazard, true}, // already on: nothing
        {FORCECONTINU, false, &window.shuffle, kMnuHazard, false},
        {FORCECONTINU, false, &window.shuffle, kMnuHazard, false},
        {FORCEHAZARD, false, &window.shuffle, kMnuHazard, true},
    };
    for (const Step& s : steps) {
        Run(s.action, s.mode);
        EXPECT_EQ(*s.setting, s.expected) << s.action << (s.mode ? " stored" : "");
        EXPECT_EQ(menu[s.item].checked, s.expected) << s.action;
    }
    EXPECT_EQ(E("lblHazardN").text, "BCA");
    Run(FORCECONTINU);
    EXPECT_EQ(E("lblHazardB").text, "ABC");
}

TEST_F(Dispatch, MainAndScheduleMenusAndTheRearmNumberAtTheStartOfTheParameter) {
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

    services.Clear();
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

// Moving on at the excerpt length runs on the simulator.
TEST_F(Monitor, ExcerptModeLetsShortTracksEndAndStopsWhenSwitchedOff) {
    option.NbExtrait = 10;
    window.lengths[0] = 6;
    StartBar();
    Run(EXTRAIT);
    PlayAndTick(6);
    EXPECT_EQ(window.Track(), 2);
    EXPECT_EQ(window.Count(kCmdNext), 0);
    PlayAndTick(10);
    EXPECT_EQ(window.Track(), 3);
    Run(EXTRAIT);
    PlayAndTick(30);
    EXPECT_EQ(window.Track(), 3);
}

TEST_F(Monitor, LoopCountsDownOnEveryTrackChangeThenSwitchesOffAndNineNeverDoes) {
    StartLoopingTrack3();
    EXPECT_EQ(E("imgSens").picture, "imgBoucle");
    PlayAndTick(5); // track 3 ends, the loop brings it back
    EXPECT_EQ(window.Track(), 3);
    EXPECT_EQ(E("lblNbBoucleB").text, "2");
    Run(AVANCER); // the user's own skip also brings the loop track back
    PlayAndTick(1);
    EXPECT_EQ(E("lblNbBoucleN").text, "1");
    PlayAndTick(10); // brought back once more, then on to the next
    EXPECT_FALSE(option.LoopOn);
    EXPECT_FALSE(bar.state.menus.boucle["mnuBoucle3"].checked);
    EXPECT_EQ(E("lblNbBoucleN").text, "");
    EXPECT_EQ(E("lblNbBoucleB").popupMenu, "");
    EXPECT_EQ(E("imgSens").picture, "imgNormale");
    EXPECT_EQ(window.Track(), 4);
    const int plays = window.Count(kCmdPlay);

    option.NbBoucle = 9;
    Run(BOUCLE);
    EXPECT_EQ(E("lblNbBoucleB").text, "");
    PlayAndTick(30);
    EXPECT_EQ(window.Track(), 4);
    EXPECT_EQ(std::tie(option.LoopOn, option.NbBoucle), std::tuple(true, 9));
    EXPECT_EQ(window.Count(kCmdPlay), plays + 6);
}

TEST_F(Monitor, TheProgramEndsOnceWhenThePlayerIsGoneAndFermerWAIsOn) {
    StartBar();
    window.present = false;
    bar.monitor.Tick();
    EXPECT_EQ(services.Count("CloseProgram"), 0); // FermerWA off: the bar stays
    EXPECT_EQ(E("lblTitreB").text, " - Stop");    // and no longer shows the last track
    option.FermerWA = true;
    window.present = true;
    window.lengths[0] = 0;
    window.state = 0;
    bar.monitor.Tick(); // stopped with no length: the player is still there
    EXPECT_EQ(services.Count("CloseProgram"), 0);
    window.present = false;
    bar.monitor.Tick();
    bar.monitor.Tick();
    EXPECT_EQ(services.Count("CloseProgram"), 1);
    EXPECT_EQ(E("lblDureeB").text, "00:00"); // the display is left as it was
}

TEST_F(Monitor, TickShowsTimeTitleAndShuffleWithFiveQueriesAndTheCaption) {
    StartBar();
    window.positionMs = 100'000;
    option.AffichageNeg = true;
    const std::size_t before = window.sent.size();
    bar.monitor.Tick();
    EXPECT_EQ(window.sent.size() - before, 5u); // position, length, state, shuffle, track
    EXPECT_EQ(E("lblDureeB").text, "-1:40");
    const Rect b = E("shaAvanceB").bounds;
    const int L = E("shaBord1B").bounds.left, R = E("shaBord2B").bounds.left;
    EXPECT_EQ(b.left, 100 * (R - L) / 200 + L + 1);
    EXPECT_EQ(b.Right(), R);
    EXPECT_EQ(E("shaAvanceN").bounds, (Rect{b.left + 1, b.top - 1, b.width + 1, b.height}));
    EXPECT_EQ(E("lblTitreB").text, "1. Artiste - Morceau 1");
    EXPECT_EQ(E("lblTitreN").hint, "1. Artiste - Morceau 1");
    EXPECT_EQ(E("lblHazardN").text, "ABC");

    window.state = 3;
    window.shuffle = true;
    bar.monitor.Tick();
    EXPECT_EQ(E("lblTitreB").text, "1. Artiste - Morceau 1 - Pause");
    EXPECT_EQ(E("lblHazardB").text, "BCA");
    EXPECT_TRUE(option.Shuffle);
    EXPECT_TRUE(bar.state.menus.principale[kMnuHazard].checked);
}

TEST_F(Monitor, AutoHideCollapsesOnTheTenthQuietTickAndComesBackAtFullHeight) {
    StartBar();
    bar.state.fullHeight = bar.state.height = 52;
    PlayAndTick(5);
    EXPECT_EQ(bar.state.height, 52);
    EXPECT_EQ(bar.state.hideCounter, 0); // CacheAuto off: never counts
    option.CacheAuto = true;
    PlayAndTick(9);
    EXPECT_EQ(bar.state.height, 52);
    PlayAndTick(1);
    EXPECT_EQ(bar.state.height, 1);
    PlayAndTick(20);
    EXPECT_EQ(bar.state.hideCounter, 10);
    EXPECT_EQ(bar.state.height, 1);
    bar.monitor.MouseMoved();
    PlayAndTick(1);
    EXPECT_EQ(bar.state.height, 52);

    PlayAndTick(12);
    ASSERT_EQ(bar.state.height, 1);
    Run(CACHERAUTOPROG); // off, from the menu, with the mouse elsewhere
    ASSERT_FALSE(option.CacheAuto);
    PlayAndTick(1);
    EXPECT_EQ(bar.state.height, 52);
    EXPECT_EQ(bar.state.hideCounter, 0);
    PlayAndTick(12);
    EXPECT_EQ(bar.state.height, 52);
}

// Silent at any query of a tick: nothing counted, run, recorded, sent or redrawn.
TEST_F(Monitor, APlayerThatStopsAnsweringIsNoTrackChange) {
    window.current = 4; // track 5
    window.positionMs = 30'000;
    window.shuffle = true;
    option.NbBoucle = 3;
    StartBar();
    Run(BOUCLE);
    bar.monitor.Tick();
    ASSERT_EQ(option.LoopTrack, 5);
    ASSERT_EQ(E("lblTitreB").text, "5. Artiste - Morceau 5");
    ASSERT_EQ(E("lblHazardB").text, "BCA");
    const int head = bar.state.history.Head();
    for (int answered = 0; answered <= 6; ++answered) {
        services.Clear();
        window.commands.clear();
        window.answersBeforeHang = answered;
        bar.monitor.Tick();
        Run(ARIEN); // the menu marks after an action
        window.answersBeforeHang = -1;
        bar.monitor.Tick();
        EXPECT_EQ(std::tie(option.CurrentTrack, option.NbBoucle, option.LoopOn),
                  std::tuple(5, 3, true))
            << answered;
        EXPECT_EQ(services.Count("ProgrammeStep 1"), 0) << answered;
        EXPECT_EQ(services.Count("ScheduleEvaluate 0"), 0) << answered;
        EXPECT_TRUE(window.commands.empty()) << answered;
        EXPECT_EQ(bar.state.history.Head(), head) << answered;
        EXPECT_EQ(bar.state.history.Slot(head), 5) << answered;
        EXPECT_EQ(E("lblTitreB").text, "5. Artiste - Morceau 5") << answered;
        EXPECT_EQ(E("lblHazardB").text, "BCA") << answered;
        EXPECT_TRUE(option.Shuffle) << answered;
        EXPECT_TRUE(bar.state.menus.principale[kMnuJouer].checked) << answered;
    }
    // A real change is still one.
    window.answersBeforeHang = -1;
    window.current = 6;
    bar.monitor.Tick();
    EXPECT_EQ(option.NbBoucle, 2);
    EXPECT_EQ(window.Track(), 5);
    EXPECT_EQ(services.Count("ScheduleEvaluate 0"), 1);
}

TEST_F(Monitor, SilenceAfterTheLoopsReplayOrAPreviousGuessesNoTrack) {
    StartLoopingTrack3();
    PlayAndTick(4);
    window.Advance(1);            // track 3 ends: the tick replays it, then hears nothing more
    window.answersBeforeHang = 6; // position, length, state, shuffle, track, set position
    bar.monitor.Tick();
    window.answersBeforeHang = -1;
    EXPECT_EQ(std::tie(option.NbBoucle, option.CurrentTrack), std::tuple(2, 3));
    PlayAndTick(1);
    EXPECT_EQ(option.NbBoucle, 2); // no second count for the same replay
    EXPECT_EQ(window.Track(), 3);

    Run(BOUCLE); // off
    window.shuffle = true;
    window.shuffleOrder = {7};
    bar.state.history.Reset();
    bar.state.history.Record(3);
    window.answersBeforeHang = 2; // shuffle, previous: then silence
    Run(RECULER, true);
    window.answersBeforeHang = -1;
    EXPECT_EQ(window.Track(), 8);
    EXPECT_EQ(bar.state.history.Slot(bar.state.history.Cursor()), 0); // not guessed as 1
}

TEST_F(Monitor, TrackChangesHandOverToProgrammeAndScheduleUnlessSettingsAreApplied) {
    window.lengths.assign(10, 2);
    StartBar();
    bar.monitor.HoldTrackChanges(true);
    PlayAndTick(2);
    EXPECT_TRUE(services.calls.empty());
    EXPECT_EQ(option.CurrentTrack, 1);
    bar.monitor.HoldTrackChanges(false);
    bar.monitor.Tick();
    EXPECT_EQ(option.CurrentTrack, 2);
    EXPECT_EQ(services.calls, (std::vector<std::string>{"ProgrammeStep 1", "ScheduleEvaluate 0",
                                                        "ScheduleUpdateInfo", "TrackChanged"}));
    services.Clear();
    services.fullScreen = true;
    TickAt(1000);
    EXPECT_EQ(services.calls, (std::vector<std::string>{"RefreshFullScreen 1 2"}));
}

TEST_F(Monitor, ProgrammeButtonsBlinkWithTheSecondsAndReplayReplacesTheExcerpt) {
    StartBar();
    option.ProgLecture = true;
    option.ExcerptOn = true;
    option.NbExtrait = 1;
    TickAt(5000);
    EXPECT_EQ(E("imgJoue").picture, "imgEnregistreS");
    TickAt(6000);
    EXPECT_EQ(E("imgJoue").picture, "imgJoueS");
    EXPECT_EQ(services.Count("ProgrammeStep 0"), 2);
    EXPECT_EQ(window.Count(kCmdNext), 0);

    services.onProgrammeStep = [&] { option.ProgLecture = false; };
    TickAt(7000); // replay ended during the step: normal picture, no blink
    EXPECT_EQ(E("imgJoue").picture, "imgJoueS");
    services.onProgrammeStep = nullptr;

    option.ExcerptOn = false;
    option.ProgEnreg = true;
    TickAt(9000);
    EXPECT_EQ(E("imgStop").picture, "imgEnregistreS");
    TickAt(10000);
    EXPECT_EQ(E("imgStop").picture, "imgStopS");
}

TEST_F(Shuffle, BackNeverPassesTheOldestEndOfTheRing) {
    window.shuffle = false;
    window.current = 5;
    StartBar();
    Press(RECULER);
    Press(AVANCER);
    Press(AVANCER);
    EXPECT_EQ(window.Track(), 7);
    EXPECT_EQ(window.commands, (std::vector<unsigned>{kCmdPrevious, kCmdNext, kCmdNext}));
    window.commands.clear();
    window.shuffle = true;
    window.current = 0;
    bar.state.history.Reset();
    bar.monitor.Start();
    for (int i = 0; i < 29; ++i)
        window.shuffleOrder.push_back(10 + i);
    for (int i = 0; i < 40; ++i)
        Press(RECULER);
    EXPECT_EQ(window.Count(kCmdPrevious), 29);
    EXPECT_EQ(window.Track(), 39); // the 29th choice, then nothing older
    const int plays = window.Count(kCmdPlay);
    for (int i = 0; i < 29; ++i)
        Press(AVANCER);
    EXPECT_EQ(window.Track(), 1);
    EXPECT_EQ(window.Count(kCmdPlay), plays + 29);
    EXPECT_EQ(window.Count(kCmdNext), 0);
}

TEST_F(Shuffle, TheRingKeepsTheLatestTracksAfterWrapping) {
    StartBar(); // track 1
    for (int t = 2; t <= 41; ++t)
        PlayThrough({t});
    ASSERT_EQ(window.Track(), 41);
    for (int k = 1; k <= 29; ++k) {
        Press(RECULER);
        EXPECT_EQ(window.Track(), 41 - k);
    }
    Press(RECULER); // older tracks were overwritten: stays where it is
    EXPECT_EQ(window.Track(), 12);
    EXPECT_EQ(window.Count(kCmdPrevious), 0);
    for (int k = 0; k < 29; ++k)
        Press(AVANCER);
    ASSERT_EQ(window.Track(), 41);
    Press(AVANCER); // past the newest: the player chooses, nothing old comes back
    EXPECT_EQ(window.Count(kCmdNext), 1);
}

TEST_F(Shuffle, TrackMenuListsThePlayedTracksNewestFirstAndPlaysTheChosenOne) {
    window.current = 2;
    StartBar();
    PlayThrough({7, 2});
    const Menu& menu = bar.MenuToOpen("ppmListe");
    EXPECT_EQ(&bar.MenuToOpen("ppmPlan"), &bar.state.menus.plan); // the bar's and the view's
    EXPECT_EQ(menu.Items()[0].caption, "2. piste2.mp3");
    EXPECT_EQ(menu.Items()[1].caption, "7. piste7.mp3");
    EXPECT_EQ(menu.Items()[2].caption, "3. piste3.mp3");
    EXPECT_TRUE(menu.Items()[0].checked);
    EXPECT_FALSE(menu.Items()[1].checked);
    for (int k = 0; k < 21; ++k)
        EXPECT_EQ(menu.Items()[k].visible, k < 3) << k;

    bar.MenuClick("ppmListe", "mnuListe2");
    bar.monitor.Tick();
    EXPECT_EQ(window.Track(), 3);
    bar.MenuToOpen("ppmListe");
    EXPECT_TRUE(menu.Items()[2].checked);
    EXPECT_FALSE(menu.Items()[0].checked);
    Press(AVANCER); // on from the chosen place in the history
    EXPECT_EQ(window.Track(), 7);

    for (int t = 10; t < 40; ++t)
        PlayThrough({t});
    bar.MenuToOpen("ppmListe");
    EXPECT_EQ(std::ranges::count_if(menu.Items(), &MenuItem::visible), 21);
    EXPECT_EQ(menu.Items()[20].caption, "19. piste19.mp3");
    bar.MenuClick("ppmListe", "mnuListe99"); // not an item: nothing
    bar.MenuClick("ppmListe", "mnuListe20");
    EXPECT_EQ(window.Track(), 19);
}
