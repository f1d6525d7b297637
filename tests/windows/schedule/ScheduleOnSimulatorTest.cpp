// Planned actions run by the bar's timers, on the real clock, against the
// simulator.
#include <gtest/gtest.h>

#include "../windows/WindowInput.h"
#include "BarHarness.h"
#include "schedule/Action.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

struct PlannedEntry {
    int action, mode, quand;
};

struct ScheduleOnSimulator : ::testing::Test {
    BarHarness h{{.speed = 1, .play = false, .tracks = 8}};

    void Plan(const std::vector<PlannedEntry>& entries) {
        constexpr std::string_view s = kSectionPlanification;
        h.store.WriteBoolean(s, "Activer", true, true);
        h.store.WriteInteger(s, "NbListe", static_cast<int>(entries.size()), true);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::string k = std::to_string(i);
            h.store.WriteInteger(s, "Action " + k, entries[i].action, true);
            h.store.WriteInteger(s, "Comment " + k, entries[i].mode, true);
            h.store.WriteInteger(s, "Quand " + k, entries[i].quand, true);
        }
        h.plan.Load();
        h.Start();
    }
    static double Seconds(std::chrono::steady_clock::time_point since) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
    }
};

} // namespace

TEST_F(ScheduleOnSimulator, AnAtEntryAFewSecondsAheadStartsPlaying) {
    const ClockReading now = h.clock.Read();
    if (now.now > 86400 - 10) GTEST_SKIP() << "too close to midnight";
    ASSERT_EQ(h.link.Etat(), PlayerState::Stopped);
    const auto start = std::chrono::steady_clock::now();
    Plan({{JOUER, kModeA, now.now + 3}});
    h.sim.Command(kCmdStop); // the bar starts the player: stopped again
    ASSERT_TRUE(h.RunUntil([&] { return h.link.Etat() == PlayerState::Stopped; }, 2000));
    ASSERT_TRUE(h.RunUntil([&] { return h.link.Etat() == PlayerState::Playing; }, 8000));
    EXPECT_GT(Seconds(start), 1.5);
    EXPECT_EQ(h.store.ReadDate(kSectionPlanification, "Effectuer 0", 0, true), now.today);
    EXPECT_FALSE(h.bar.state.scene["lblInfoB"].visible); // nothing left planned
}

TEST_F(ScheduleOnSimulator, ADelayOfThreeSecondsRunsAfterAboutThreeSeconds) {
    h.link.Jouer();
    const int first = h.link.NumeroTitre();
    const auto start = std::chrono::steady_clock::now();
    Plan({{AVANCER, kModeDans, 3}});
    const Element& info = h.bar.state.scene["lblInfoB"];
    EXPECT_TRUE(info.visible);
    EXPECT_EQ(info.text, "0:03");
    EXPECT_EQ(info.hint, "Titre suivant dans 0:03");
    ASSERT_TRUE(h.RunUntil([&] { return info.text == "0:01"; }, 4000));
    EXPECT_EQ(h.bar.state.scene["lblInfoN"].text, "0:01");
    EXPECT_TRUE(SaveWindowBmp(h.app.Bar().Handle(), "info-distance"));

    ASSERT_TRUE(h.RunUntil([&] { return h.link.NumeroTitre() != first; }, 6000));
    const double elapsed = Seconds(start);
    EXPECT_GT(elapsed, 2.5);
    EXPECT_LT(elapsed, 5.5);
    EXPECT_EQ(h.Logged(WM_COMMAND, kCmdNext, 0), 1);
    EXPECT_FALSE(info.visible);
}

TEST_F(ScheduleOnSimulator, CancelFromTheActionsSkipsThePlannedEntry) {
    h.link.Jouer();
    Plan({{STOPPER, kModeDans, 1}, {PAUSER, kModeDans, 600}});
    h.bar.dispatcher.ExecuterAction(ANNULER, false);
    h.bar.dispatcher.ExecuterAction(RELANCERACTION, false, "1 - Pause");
    // Two passes over the re-armed entry: the cancelled one would have run.
    ASSERT_TRUE(h.RunUntil([&] { return h.plan.Entries()[1].Quand <= 598; }, 5000));
    EXPECT_EQ(h.link.Etat(), PlayerState::Playing);
    EXPECT_EQ(h.bar.state.scene["lblInfoB"].hint.rfind("Pause du titre dans ", 0), 0u);
    h.bar.dispatcher.ExecuterAction(RELANCERACTION, false, "0 - Stopper");
    ASSERT_TRUE(h.RunUntil([&] { return h.link.Etat() == PlayerState::Stopped; }, 5000));
}

// The schedule's label is as wide as its text, no more and no less: two tracks
// ahead ("2") leaves the rest of the design width to the title; then it counts
// the track changes down and stops the player at the second.
TEST_F(ScheduleOnSimulator, AnAfterTwoEntryShowsItsCountAndRunsAtTheSecondTrackChange) {
    h.link.Jouer();
    Plan({{STOPPER, kModeApres, 2}});
    const Element& info = h.bar.state.scene["lblInfoB"];
    const Element& title = h.bar.state.scene["lblTitreB"];
    ASSERT_EQ(info.text, "2");
    EXPECT_EQ(info.hint, "Stoppe le titre dans 2 chansons");
    RedrawWindow(h.app.Bar().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    const SIZE extent = TextExtent(info.font, "2");

    EXPECT_GE(info.bounds.width, extent.cx);
    EXPECT_LE(info.bounds.width, extent.cx + 2);
    EXPECT_EQ(h.bar.state.scene["lblInfoN"].bounds.width, info.bounds.width);
    EXPECT_EQ(title.bounds.Right(), info.bounds.left + 2); // the title ends where it starts
    EXPECT_TRUE(SaveWindowBmp(h.app.Bar().Handle(), "info-short"));

    h.sim.Command(kCmdNext);
    ASSERT_TRUE(h.RunUntil([&] { return info.text == "1"; }, 3000));
    h.RunUntil([] { return false; }, 1200);
    EXPECT_EQ(h.link.Etat(), PlayerState::Playing);
    h.sim.Command(kCmdNext);
    ASSERT_TRUE(h.RunUntil([&] { return h.link.Etat() == PlayerState::Stopped; }, 3000));
    EXPECT_EQ(h.Logged(WM_COMMAND, kCmdStop, 0), 1);
}
