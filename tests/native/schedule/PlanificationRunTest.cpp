// The passes of the running schedule, the next planned entry and its label,
// cancelling and re-arming.
#include <climits>

#include "ScheduleFixture.h"
#include "schedule/Action.h"

using namespace pilotune;
using pilotune::testing::Entry;
using pilotune::testing::ScheduleFixture;

namespace {
constexpr int kHour8 = 8 * 3600;
} // namespace

using ScheduleRun = ScheduleFixture;

TEST_F(ScheduleRun, AnAtEntryRunsOnlyWithinSeventySecondsOfItsTime) {
    Load({{.action = 7, .mode = kModeA, .period = kPeriodDaily, .quand = kHour8}});
    clock.Set(3, 7, 59, 59);
    Tick();
    EXPECT_TRUE(ran.empty());
    Tick(); // 08:00:00
    EXPECT_EQ(ran.size(), 1u);

    // Started at 08:01:10 the next day: too late, and the bar counts to tomorrow.
    clock.Set(4, 8, 1, 10);
    plan.Evaluate(true); // re-armed
    plan.Evaluate(true);
    EXPECT_EQ(ran.size(), 1u);
    clock.Set(4, 8, 2);
    plan.Evaluate(true);
    auto next = plan.FindNext();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->distance, 86400 - 120);
    const InfoLabel info = plan.UpdateInfo();
    EXPECT_TRUE(info.visible);
    EXPECT_EQ(info.caption, "23:58:00");
    EXPECT_EQ(info.hint, "Titre suivant dans 23:58:00");

    clock.Set(5, 8, 1, 9); // last second of the window on the next day
    plan.Evaluate(true);
    EXPECT_EQ(ran.size(), 2u);
}

TEST_F(ScheduleRun, FollowingEntriesWaitForTheOneBefore) {
    Load({{.action = 5, .mode = kModeA, .quand = 22 * 3600},
          {.action = 14, .mode = kModePrecedent},
          {.action = 4, .mode = kModePrecedentDans, .quand = 2},
          {.action = 6, .mode = kModePrecedentApres, .quand = 1}});
    clock.Set(3, 21, 59, 58);
    Tick(2);
    plan.Evaluate(false); // a track change before the chain started counts nothing
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(plan.Entries()[2].Quand, 2);
    EXPECT_EQ(plan.Entries()[3].Quand, 1);

    Tick(); // 22:00:00: the entry and the one after it, in order, in one tick
    ASSERT_EQ(ran.size(), 2u);
    EXPECT_EQ(ran[0].first, 5);
    EXPECT_EQ(ran[1].first, 14);
    Tick(); // the delay counts from the tick its previous entry ran in
    EXPECT_EQ(ran.size(), 2u);
    Tick();
    ASSERT_EQ(ran.size(), 3u);
    plan.Evaluate(false);
    ASSERT_EQ(ran.size(), 4u);
    EXPECT_EQ(ran[3].first, 6);
}

TEST_F(ScheduleRun, ATrackChangeRunsOnlyTrackCountEntries) {
    // Entries whose value is 0 but which do not count tracks.
    Load({{.action = 4, .mode = kModeA, .quand = 0},
          {.action = 5, .mode = kModePrecedent},
          {.action = 6, .mode = 9}});
    plan.Evaluate(false);
    EXPECT_TRUE(ran.empty());
    Tick(100);
    EXPECT_TRUE(ran.empty()); // an unknown mode never runs
}

TEST_F(ScheduleRun, AnActionThatRebuildsTheScheduleEndsThePass) {
    // Entry 0 opens the options dialog, which rebuilds the running schedule;
    // the pass must not go on over entries that were replaced.
    int calls = 0;
    CPlanification own(store, clock, [&](int, const std::string&) {
        ++calls;
        own.Replace({});
    });
    Write({{.mode = kModeDans}, {.mode = kModeDans}, {.mode = kModePrecedent}});
    own.Load();
    own.Evaluate(true);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(own.Count(), 0);
    own.Evaluate(false);
    own.Evaluate(true);
}

TEST_F(ScheduleRun, ExtremeValuesFromTheFileDoNotOverflow) {
    Load({{.action = 4, .mode = kModeA, .quand = INT_MAX},
          {.action = 5, .mode = kModeDans, .quand = INT_MIN},
          {.action = 6, .mode = kModeApres, .quand = INT_MIN}});
    const auto next = plan.FindNext();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->index, 1);
    plan.Evaluate(true);
    plan.Evaluate(false);
    plan.Evaluate(false); // each once only
    ASSERT_EQ(ran.size(), 2u);
    EXPECT_EQ(plan.Entries()[1].Quand, INT_MIN);
}

TEST_F(ScheduleRun, TheNextPlannedEntryAndItsLabel) {
    Load({{.action = 5, .mode = kModeDans, .quand = 120},
          {.action = 2, .mode = kModeApres, .quand = 2, .chemin = "C:\\Outils\\lance.bat"}});
    auto next = plan.FindNext();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->index, 1); // 2 tracks < 120 seconds: numbers compared as they are
    InfoLabel info = plan.UpdateInfo();
    EXPECT_EQ(info.caption, "2");
    EXPECT_EQ(info.hint, "Execution de lance.bat dans 2 chansons");
    plan.Evaluate(false);
    EXPECT_EQ(plan.UpdateInfo().hint, "Execution de lance.bat dans 1 chanson");

    Load({{.action = AVANCER, .mode = kModeDans, .quand = 1800},
          {.action = 5, .mode = kModeDans, .quand = 1800}});
    info = plan.UpdateInfo();
    EXPECT_EQ(info.caption, "30:00");
    EXPECT_EQ(info.hint, "Titre suivant dans 30:00"); // equal distances: the first entry

    plan.AfficheInfo = false;
    EXPECT_FALSE(plan.UpdateInfo().visible);
    plan.AfficheInfo = true;
    plan.Activer = false;
    EXPECT_FALSE(plan.FindNext());
    EXPECT_FALSE(plan.UpdateInfo().visible);
    EXPECT_EQ(plan.UpdateInfo().caption, "");
    plan.Evaluate(true);
    EXPECT_TRUE(ran.empty()); // an inactive schedule runs nothing

    // Nothing planned: a "quand le précédent est fini" entry alone is never shown.
    Load({{.mode = kModePrecedent, .done = 0}, {.mode = kModePrecedent}});
    plan.CancelAll();
    EXPECT_FALSE(plan.UpdateInfo().visible);
}

TEST_F(ScheduleRun, CancelSkipsTheNextEntryAndCancelAllEveryEntry) {
    Load({{.action = 4, .mode = kModeDans, .quand = 50},
          {.action = 5, .mode = kModeDans, .period = kPeriodDaily, .quand = 10}});
    plan.Cancel();
    EXPECT_NE(plan.Entries()[1].Effectuer, 0);
    EXPECT_EQ(plan.Entries()[0].Effectuer, 0);
    EXPECT_EQ(StoredDate(1), plan.Entries()[1].Effectuer);
    EXPECT_EQ(plan.FindNext()->index, 0);
    plan.CancelAll();
    EXPECT_FALSE(plan.FindNext());
    EXPECT_NE(StoredDate(0), 0);
    Tick(60);
    EXPECT_TRUE(ran.empty());
    clock.Set(4, 12); // the daily entry comes back the next day
    plan.Evaluate(true);
    EXPECT_EQ(plan.FindNext()->index, 1);
}

TEST_F(ScheduleRun, CancelWithNothingPlannedWritesNothing) {
    plan.Load();
    plan.Activer = true;
    plan.Cancel();
    EXPECT_FALSE(store.HasKey(kSectionPlanification, "Activer", true));
    plan.CancelAll();
    EXPECT_EQ(Stored("Activer"), "1");
    EXPECT_EQ(Stored("AfficheInfo"), "1");
}

TEST_F(ScheduleRun, RearmNamesTheEntryOfTheFullListAndRestartsItsCountdown) {
    const int done = 45000;
    Load({{.action = 4, .mode = kModeDans, .quand = 3, .done = done},
          {.action = 5, .enabled = false, .done = done},
          {.action = 6, .mode = kModeDans, .quand = 3, .done = done}});
    plan.Rearm("7 - Stopper");
    plan.Rearm("1 - Pause"); // disabled: not running, not armed
    EXPECT_EQ(plan.Entries()[0].Effectuer, done);
    EXPECT_EQ(plan.Entries()[1].Effectuer, done);
    EXPECT_EQ(Stored("Effectuer 1"), dates.Format(done));

    plan.Rearm("2 - Stopper dans 00:03");
    EXPECT_EQ(plan.Entries()[1].Effectuer, 0);
    EXPECT_EQ(StoredDate(2), 0);
    Tick(3);
    EXPECT_TRUE(ran.empty()); // the delay starts again
    Tick();
    ASSERT_EQ(ran.size(), 1u);
    EXPECT_EQ(ran[0].first, 6);
}
