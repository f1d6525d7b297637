#include "BarFixture.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {
class Monitor : public BarTest {};
} // namespace

// Moving on at the excerpt length runs on the simulator; here, a track shorter
// than the excerpt ends by itself, and the mode switched off lets tracks play.
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

// A loop count of n brings the track back n more times, counting down on
// every change of track (the user's skips too), then switches itself off; 9
// loops for ever.
TEST_F(Monitor, LoopCountsDownOnEveryTrackChangeThenSwitchesOffAndNineNeverDoes) {
    window.lengths.assign(10, 5);
    window.current = 2;
    option.NbBoucle = 3;
    StartBar();
    Run(BOUCLE);
    EXPECT_EQ(option.LoopTrack, 3);
    EXPECT_EQ(E("lblNbBoucleN").popupMenu, "ppmBoucle");
    EXPECT_EQ(E("imgSens").picture, "imgBoucle");
    EXPECT_TRUE(bar.state.menus.boucle["mnuBoucle3"].checked);
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
    EXPECT_EQ(option.NbBoucle, 9);
    EXPECT_TRUE(option.LoopOn);
    EXPECT_EQ(window.Count(kCmdPlay), plays + 6);
}

TEST_F(Monitor, TheProgramEndsOnceWhenThePlayerIsGoneAndFermerWAIsOn) {
    StartBar();
    window.present = false;
    bar.monitor.Tick();
    EXPECT_EQ(services.Count("CloseProgram"), 0); // FermerWA off: the bar stays
    EXPECT_EQ(E("lblTitreB").text, " - Stop");    // and no longer shows the last track
    EXPECT_EQ(E("lblTitreN").text, " - Stop");
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
    const int before = window.queries;
    bar.monitor.Tick();
    EXPECT_EQ(window.queries - before, 5); // position, length, state, shuffle, track
    EXPECT_EQ(E("lblDureeB").text, "-1:40");
    EXPECT_EQ(E("lblDureeN").text, "-1:40");
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
    EXPECT_EQ(E("lblHazardN").text, "BCA");
    EXPECT_TRUE(option.Shuffle);
    EXPECT_TRUE(bar.state.menus.principale[kMnuHazard].checked);
}

// Auto-hide: a line on the tenth quiet tick; the mouse, or switching it off,
// gives back the bar's full height at its DPI (52 at 200 %).
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

// A player that stops answering in the middle of a tick, whatever the query
// it stops at, is not a change of track: no loop count is used, no programme
// or schedule step runs, nothing is recorded, nothing is sent, and the
// display keeps what it showed. When it answers again, the tick goes on as if
// nothing had happened.
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
        EXPECT_EQ(option.CurrentTrack, 5) << answered;
        EXPECT_EQ(option.NbBoucle, 3) << answered;
        EXPECT_TRUE(option.LoopOn) << answered;
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

// The same silence inside the steps that ask again: the loop's replay and the
// shuffle history's "previous".
TEST_F(Monitor, SilenceAfterTheLoopsReplayOrAPreviousGuessesNoTrack) {
    window.lengths.assign(10, 5);
    window.current = 2;
    option.NbBoucle = 3;
    StartBar();
    Run(BOUCLE);
    PlayAndTick(4);
    window.Advance(1);            // track 3 ends: the tick replays it, then hears nothing more
    window.answersBeforeHang = 6; // position, length, state, shuffle, track, set position
    bar.monitor.Tick();
    window.answersBeforeHang = -1;
    EXPECT_EQ(option.NbBoucle, 2);
    EXPECT_EQ(option.CurrentTrack, 3);
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
    option.Applying = true;
    PlayAndTick(2);
    EXPECT_TRUE(services.calls.empty());
    EXPECT_EQ(option.CurrentTrack, 1);
    option.Applying = false;
    bar.monitor.Tick();
    EXPECT_EQ(option.CurrentTrack, 2);
    EXPECT_EQ(services.calls, (std::vector<std::string>{"ProgrammeStep 1", "ScheduleEvaluate 0",
                                                        "ScheduleUpdateInfo"}));
    services.Clear();
    services.fullScreen = true;
    window.positionMs = 1000;
    bar.monitor.Tick();
    EXPECT_EQ(services.calls, (std::vector<std::string>{"RefreshFullScreen 1 2"}));
}

TEST_F(Monitor, ProgrammeButtonsBlinkWithTheSecondsAndReplayReplacesTheExcerpt) {
    StartBar();
    option.ProgLecture = true;
    option.ExcerptOn = true;
    option.NbExtrait = 1;
    window.positionMs = 5000;
    bar.monitor.Tick();
    EXPECT_EQ(E("imgJoue").picture, "imgEnregistreS");
    window.positionMs = 6000;
    bar.monitor.Tick();
    EXPECT_EQ(E("imgJoue").picture, "imgJoueS");
    EXPECT_EQ(services.Count("ProgrammeStep 0"), 2);
    EXPECT_EQ(window.Count(kCmdNext), 0);

    window.positionMs = 7000;
    services.onProgrammeStep = [&] { option.ProgLecture = false; };
    bar.monitor.Tick(); // replay ended during the step: normal picture, no blink
    EXPECT_EQ(E("imgJoue").picture, "imgJoueS");
    services.onProgrammeStep = nullptr;

    option.ExcerptOn = false;
    option.ProgEnreg = true;
    window.positionMs = 9000;
    bar.monitor.Tick();
    EXPECT_EQ(E("imgStop").picture, "imgEnregistreS");
    window.positionMs = 10000;
    bar.monitor.Tick();
    EXPECT_EQ(E("imgStop").picture, "imgStopS");
}
