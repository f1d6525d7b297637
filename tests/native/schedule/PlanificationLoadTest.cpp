// Loading the running schedule, the done dates on disk, and the period rule.
#include "ScheduleFixture.h"

using namespace pilotune;
using pilotune::testing::Entry;
using pilotune::testing::ScheduleFixture;

namespace {
constexpr int kMonday3 = 45446; // 3 June 2024
} // namespace

using ScheduleLoad = ScheduleFixture;

TEST_F(ScheduleLoad, DisabledEntriesAreLeftOutAndRunningEntriesKeepTheirFileIndex) {
    Load({{.action = 4, .mode = 1, .quand = 0},
          {.action = 5, .mode = 1, .quand = 0, .enabled = false},
          {.action = 6, .mode = 1, .quand = 0, .chemin = "x"}});
    ASSERT_EQ(plan.Count(), 2);
    EXPECT_EQ(plan.Entries()[0].Index, 0);
    EXPECT_EQ(plan.Entries()[1].Index, 2);
    EXPECT_EQ(plan.Entries()[1].Chemin, "x");
    EXPECT_EQ(plan.ListLimit(), 3);

    Tick();
    ASSERT_EQ(ran.size(), 2u);
    EXPECT_EQ(ran[1], std::make_pair(6, std::string("x")));
    EXPECT_EQ(StoredDate(0), kMonday3);
    EXPECT_EQ(StoredDate(2), kMonday3); // under the file index, not the running position
    EXPECT_EQ(Stored("Effectuer 1"), "0");
}

TEST_F(ScheduleLoad, MissingAndDamagedKeysGiveTheDefaults) {
    store.WriteInteger(kSectionPlanification, "NbListe", 2, true);
    store.WriteText(kSectionPlanification, "Effectuer 0", "pas une date", true);
    store.WriteText(kSectionPlanification, "Quand 0", "abc", true);
    plan.Load();
    EXPECT_FALSE(plan.Activer);
    EXPECT_TRUE(plan.AfficheInfo);
    ASSERT_EQ(plan.Count(), 2);
    for (const TPlan& e : plan.Entries()) {
        EXPECT_EQ(e.Action, 0);
        EXPECT_EQ(e.Comment, 0);
        EXPECT_EQ(e.Periode, 0);
        EXPECT_EQ(e.Quand, 0);
        EXPECT_EQ(e.Effectuer, 0); // not a date: armed
        EXPECT_EQ(e.Chemin, "");
    }

    store.WriteInteger(kSectionPlanification, "NbListe", -5, true);
    plan.Load();
    EXPECT_EQ(plan.Count(), 0);
    store.WriteText(kSectionPlanification, "NbListe", "999999999", true);
    plan.Load(); // a huge count is bounded
    EXPECT_LE(plan.Count(), 10000);
}

TEST_F(ScheduleLoad, EachStartPeriodsAreArmedAgainOnlyByTheirKindOfStart) {
    const int yesterday = kMonday3 - 1;
    const std::vector<Entry> entries{{.period = kPeriodEachStart, .done = yesterday},
                                     {.period = kPeriodEachWindowsStart, .done = yesterday},
                                     {.period = kPeriodOnce, .done = yesterday}};
    Load(entries);
    EXPECT_EQ(plan.Entries()[0].Effectuer, 0);
    EXPECT_EQ(plan.Entries()[1].Effectuer, yesterday);
    EXPECT_EQ(plan.Entries()[2].Effectuer, yesterday);

    plan.StartedByWindows = IsWindowsStart({"WindowsLanceDebut"});
    plan.Load();
    EXPECT_EQ(plan.Entries()[0].Effectuer, 0);
    EXPECT_EQ(plan.Entries()[1].Effectuer, 0);
    EXPECT_EQ(plan.Entries()[2].Effectuer, yesterday);

    plan.Reload(); // the options dialog's rebuild does not re-arm
    EXPECT_EQ(plan.Entries()[0].Effectuer, yesterday);
    EXPECT_EQ(plan.Entries()[1].Effectuer, yesterday);

    EXPECT_FALSE(IsWindowsStart({"windowslancedebut"}));
    EXPECT_FALSE(IsWindowsStart({"WindowsLanceDebut", "x"}));
    EXPECT_FALSE(IsWindowsStart({}));
}

TEST_F(ScheduleLoad, EachPeriodAllowsItsOwnWeekdays) {
    std::vector<Entry> entries;
    for (int p = 0; p < 14; ++p) // 13 is not a period
        entries.push_back({.period = p});
    Load(entries);
    for (int day = 3; day <= 9; ++day) { // Monday 3 to Sunday 9 June
        clock.Set(day, 12);
        const int weekday = day - 2;
        auto allowed = [&](int p) { return plan.NextDue(p, 1) == 0; };
        SCOPED_TRACE(weekday);
        EXPECT_TRUE(allowed(kPeriodOnce));
        EXPECT_TRUE(allowed(kPeriodDaily));
        EXPECT_EQ(allowed(kPeriodWeekdays), weekday <= 5);
        EXPECT_EQ(allowed(kPeriodWeekend), weekday >= 6);
        for (int p = kPeriodMonday; p <= kPeriodSunday; ++p)
            EXPECT_EQ(allowed(p), weekday == p - 3) << p;
        EXPECT_TRUE(allowed(kPeriodEachStart));
        EXPECT_TRUE(allowed(kPeriodEachWindowsStart));
        EXPECT_FALSE(allowed(13));
    }
    clock.Set(7, 12); // a Friday
    EXPECT_EQ(plan.NextDue(kPeriodWeekend, 1), 1);
}

TEST_F(ScheduleLoad, ADailyEntryRunsOncePerDayAndRestartsItsCountdown) {
    Load({{.action = 7, .mode = kModeDans, .period = kPeriodDaily, .quand = 2}});
    Tick(3);
    ASSERT_EQ(ran.size(), 1u);
    Tick(5000); // later the same day: still done
    EXPECT_EQ(ran.size(), 1u);
    EXPECT_EQ(plan.NextDue(0, plan.Entries()[0].Effectuer), plan.Entries()[0].Effectuer);

    clock.Set(4, 0, 0, 5); // the next day
    plan.Evaluate(true);   // re-armed, countdown back at 2
    EXPECT_EQ(plan.Entries()[0].Effectuer, 0);
    EXPECT_EQ(plan.Entries()[0].Quand, 2);
    EXPECT_EQ(ran.size(), 1u);
    Tick(3);
    EXPECT_EQ(ran.size(), 2u);
    EXPECT_EQ(StoredDate(0), kMonday3 + 1);
}

TEST_F(ScheduleLoad, SaveStateWritesOnlyTheSwitchesAndTheDoneDates) {
    Load({{.action = 4, .quand = 100, .chemin = "a"}});
    plan.Activer = false;
    plan.AfficheInfo = false;
    store.WriteInteger(kSectionPlanification, "Quand 0", 5, true); // a change made elsewhere
    plan.SaveState();
    EXPECT_EQ(Stored("Activer"), "0");
    EXPECT_EQ(Stored("AfficheInfo"), "0");
    EXPECT_EQ(Stored("Quand 0"), "5");
    EXPECT_EQ(Stored("Effectuer 0"), "0"); // day 0, read back as not done
    plan.Load();
    EXPECT_EQ(plan.Entries()[0].Effectuer, 0);
}
