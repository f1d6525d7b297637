#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <set>

#include "SettingsFixture.h"
#include "schedule/Action.h"
#include "schedule/Planification.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

constexpr int kMonday3 = 45446; // 3 June 2024

class SetClock final : public ScheduleClock {
  public:
    ClockReading reading;
    ClockReading Read() override { return reading; }
    // A day of June 2024 (the 3rd is a Monday) at h:m:s.
    void Set(int dayOfJune, int h, int m = 0, int s = 0) {
        reading.today = DayFromCivil({2024, 6, dayOfJune});
        reading.weekday = WeekdayOfDay(reading.today);
        reading.now = h * 3600 + m * 60 + s;
    }
};

struct Entry {
    int action = 0, mode = 0, period = 0, quand = 0;
    std::string chemin{};
    bool enabled = true;
    int done = 0; // day number; 0 writes the text "0"
};

// Writes the entries as the options dialog does and sets "Activer".
void WriteEntries(SettingsStore& store, const std::vector<Entry>& entries) {
    constexpr std::string_view s = kSectionPlanification;
    store.WriteBoolean(s, "Activer", true, true);
    store.WriteInteger(s, "NbListe", static_cast<int>(entries.size()), true);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::string i = std::to_string(k);
        const Entry& e = entries[k];
        store.WriteBoolean(s, "Activer " + i, e.enabled, true);
        store.WriteInteger(s, "Action " + i, e.action, true);
        store.WriteInteger(s, "Comment " + i, e.mode, true);
        store.WriteInteger(s, "Periode " + i, e.period, true);
        store.WriteInteger(s, "Quand " + i, e.quand, true);
        store.WriteText(s, "Chemin " + i, e.chemin, true);
        if (e.done == 0)
            store.WriteText(s, "Effectuer " + i, "0", true);
        else
            store.WriteDate(s, "Effectuer " + i, e.done, true);
    }
}

class ScheduleTest : public ::testing::Test, protected MemoryStore {
  protected:
    ScheduleTest() { clock.Set(3, 12); } // Monday 3 June 2024, noon

    void Load(const std::vector<Entry>& entries) {
        WriteEntries(store, entries);
        plan.Load();
    }
    std::string Stored(const std::string& key) const {
        return store.ReadText(kSectionPlanification, key, "<none>", true);
    }
    std::vector<int> Done() const {
        std::vector<int> days;
        for (const TPlan& e : plan.Entries())
            days.push_back(e.Effectuer);
        return days;
    }
    int StoredDate(int fileIndex) const {
        return store.ReadDate(kSectionPlanification, "Effectuer " + std::to_string(fileIndex), 0,
                              true);
    }
    void Tick(int times = 1) {
        for (int k = 0; k < times; ++k) {
            plan.Evaluate(true);
            ++clock.reading.now; // within the day
        }
    }

    SetClock clock;
    std::vector<std::pair<int, std::string>> ran; // action, parameter
    CPlanification plan{store, clock,
                        [this](int a, const std::string& p) { ran.emplace_back(a, p); }};
};

class ScheduleOnDisk : public pilotune::testing::SettingsFixture {
  protected:
    ScheduleOnDisk() { clock.Set(3, 12); }
    // A start of the program: the store opened on the file, the schedule loaded.
    void Start() {
        plan.reset();
        store = std::make_unique<SettingsStore>(Opened());
        plan = std::make_unique<CPlanification>(*store, clock, [this](int a, const std::string&) {
            ran.push_back(a);
            seenOnDisk.push_back(OnDisk("Effectuer 0"));
        });
        plan->Load();
    }
    // What a fresh reader finds on disk now.
    std::string OnDisk(const std::string& key) const {
        return Opened().ReadText(kSectionPlanification, key, "<none>", true);
    }

    SetClock clock;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<CPlanification> plan;
    std::vector<int> ran;
    std::vector<std::string> seenOnDisk;
};

} // namespace

// Out of the table: an empty label at 32, a fixed text beyond the last action;
// only four descriptions use the parameter.
TEST(ActionCatalogue, LabelsDescriptionsKeywordsAndLeadingNumbersAtTheirEdges) {
    EXPECT_EQ(LibelleAction(AFFICHECHERCHEURTITRE), "Afficher le chercheur de titre");
    EXPECT_EQ(LibelleAction(32), "");
    EXPECT_EQ(LibelleAction(33), "Monter le volume"); // after ARIEN, which keeps its number
    EXPECT_EQ(LibelleAction(FONDU), "Baisser progressivement puis stopper");
    for (int outside : {41, 255, -1})
        EXPECT_EQ(LibelleAction(outside), "Le programmeur est un con") << outside;
    EXPECT_EQ(DescriptionAction(FONDU, ""), "Baisse le volume puis stoppe, en 30 s");
    EXPECT_EQ(DescriptionAction(FONDU, " 10 s"), "Baisse le volume puis stoppe, en 10 s");
    EXPECT_EQ(DescriptionAction(FONDU, "-4"), "Baisse le volume puis stoppe, en 30 s");
    for (int outside : {32, 41, -5})
        EXPECT_EQ(DescriptionAction(outside, "C:\\x.txt"),
                  "Merde, j'ai oublié de l'action prendre en compte")
            << outside;
    EXPECT_EQ(DescriptionAction(ARRETER), "Arrêt de l'ordinateur");
    EXPECT_EQ(DescriptionAction(EXECUTER, "C:\\Outils\\note.txt"), "Execution de note.txt");
    EXPECT_EQ(DescriptionAction(EXECUTER, "note.txt"), "Execution de note.txt");
    EXPECT_EQ(DescriptionAction(EXECUTER, ""), "Execution de ");
    EXPECT_EQ(DescriptionAction(LECTUREPROGRAMME, "Soirée"), "Lit le programme Soirée");
    EXPECT_EQ(DescriptionAction(RELANCERACTION, "2 - Jouer"), "Relancer l'action 2 - Jouer");
    EXPECT_EQ(DescriptionAction(AVANCER, "C:\\x.txt"), "Titre suivant");

    // Keywords name every action once, whatever the case.
    std::set<std::string_view> seen;
    for (int i = 0; i < kActionCount; ++i) {
        const std::string_view name = NomAction(i);
        ASSERT_FALSE(name.empty()) << i;
        EXPECT_TRUE(seen.insert(name).second) << name;
        EXPECT_EQ(ActionParNom(name), static_cast<TAction>(i));
    }
    EXPECT_EQ(ActionParNom("jouer"), JOUER);
    EXPECT_EQ(ActionParNom("RelancerAction"), RELANCERACTION);
    for (const char* other : {"", "JOUERR", "JOUE", "C:\\Outils\\note.txt", "ARRÊTER"})
        EXPECT_EQ(ActionParNom(other), std::nullopt) << other;
    EXPECT_EQ(NomAction(41), "");

    // The usual parameters ("2", " +2abc", "x", "4 - Jouer") go through the
    // dispatcher's re-arm tests; here, the edges.
    EXPECT_EQ(LeadingNumber("  -3 - Jouer"), -3);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("+"), 0);
    EXPECT_EQ(LeadingNumber("a2"), 0);
    EXPECT_EQ(LeadingNumber("99999999999999999999"), INT_MAX);
    EXPECT_EQ(LeadingNumber("-99999999999999999999"), INT_MIN);
}

TEST_F(ScheduleTest, DisabledEntriesAreLeftOutAndRunningEntriesKeepTheirFileIndex) {
    Load({{.action = 4, .mode = 1, .quand = 0},
          {.action = 5, .mode = 1, .quand = 0, .enabled = false},
          {.action = 6, .mode = 1, .quand = 0, .chemin = "x"}});
    ASSERT_EQ(plan.Count(), 2);
    EXPECT_EQ(std::tie(plan.Entries()[0].Index, plan.Entries()[1].Index, plan.Entries()[1].Chemin),
              std::tuple(0, 2, "x"));
    EXPECT_EQ(plan.ListLimit(), 3);

    Tick();
    ASSERT_EQ(ran.size(), 2u);
    EXPECT_EQ(ran[1], std::make_pair(6, std::string("x")));
    EXPECT_EQ(StoredDate(0), kMonday3);
    EXPECT_EQ(StoredDate(2), kMonday3); // under the file index, not the running position
    EXPECT_EQ(Stored("Effectuer 1"), "0");
}

TEST_F(ScheduleTest, MissingAndDamagedKeysGiveTheDefaultsAndSaveStateWritesOnlyItsOwn) {
    store.WriteInteger(kSectionPlanification, "NbListe", 2, true);
    store.WriteText(kSectionPlanification, "Effectuer 0", "pas une date", true);
    store.WriteText(kSectionPlanification, "Quand 0", "abc", true);
    store.WriteText(kSectionPlanification, "Inconnu 1", "?", true); // row 1: no key of its own
    plan.Load();
    EXPECT_FALSE(plan.Activer);
    EXPECT_TRUE(plan.AfficheInfo);
    ASSERT_EQ(plan.Count(), 2);
    for (const TPlan& e : plan.Entries()) // a done date that is not a date: armed
        EXPECT_EQ(std::tie(e.Action, e.Comment, e.Periode, e.Quand, e.Effectuer, e.Chemin),
                  std::tuple(0, 0, 0, 0, 0, ""));

    // A save of the state writes only the switches and the done dates.
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

TEST_F(ScheduleTest, EachStartPeriodsAreArmedAgainOnlyByTheirKindOfStart) {
    const int yesterday = kMonday3 - 1;
    const std::vector<Entry> entries{{.period = kPeriodEachStart, .done = yesterday},
                                     {.period = kPeriodEachWindowsStart, .done = yesterday},
                                     {.period = kPeriodOnce, .done = yesterday}};
    Load(entries);
    EXPECT_EQ(Done(), (std::vector{0, yesterday, yesterday}));

    plan.StartedByWindows = IsWindowsStart({"WindowsLanceDebut"});
    plan.Load();
    EXPECT_EQ(Done(), (std::vector{0, 0, yesterday}));

    plan.Reload(); // the options dialog's rebuild does not re-arm
    EXPECT_EQ(Done(), (std::vector{yesterday, yesterday, yesterday}));

    EXPECT_FALSE(IsWindowsStart({"windowslancedebut"}));
    EXPECT_FALSE(IsWindowsStart({"WindowsLanceDebut", "x"}));
    EXPECT_FALSE(IsWindowsStart({}));
}

TEST_F(ScheduleTest, EachPeriodAllowsItsOwnWeekdays) {
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

TEST_F(ScheduleTest, ADailyEntryRunsOncePerDayAndRestartsItsCountdown) {
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

TEST_F(ScheduleTest, AnAtEntryRunsOnlyWithinSeventySecondsOfItsTime) {
    Load({{.action = 7, .mode = kModeA, .period = kPeriodDaily, .quand = 8 * 3600}});
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

TEST_F(ScheduleTest, FollowingEntriesWaitForTheOneBeforeAndATrackChangeRunsOnlyTrackCounts) {
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

    // Entries whose value is 0 but which do not count tracks.
    Load({{.action = 4, .mode = kModeA, .quand = 0},
          {.action = 5, .mode = kModePrecedent},
          {.action = 6, .mode = 9}});
    plan.Evaluate(false);
    Tick(100);
    EXPECT_EQ(ran.size(), 4u); // an unknown mode never runs
}

TEST_F(ScheduleTest, AnActionThatRebuildsTheScheduleEndsThePass) {
    // Entry 0 opens the options dialog, which rebuilds the running schedule;
    // the pass must not go on over entries that were replaced.
    int calls = 0;
    CPlanification own(store, clock, [&](int, const std::string&) {
        ++calls;
        own.Replace({});
    });
    WriteEntries(store, {{.mode = kModeDans}, {.mode = kModeDans}, {.mode = kModePrecedent}});
    own.Load();
    own.Evaluate(true);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(own.Count(), 0);
    own.Evaluate(false);
    own.Evaluate(true);
}

TEST_F(ScheduleTest, ExtremeValuesFromTheFileDoNotOverflow) {
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

TEST_F(ScheduleTest, TheNextPlannedEntryAndItsLabel) {
    Load({{.action = 5, .mode = kModeDans, .quand = 120},
          {.action = 2, .mode = kModeApres, .quand = 2, .chemin = "C:\\Outils\\lance.bat"}});
    auto next = plan.FindNext();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->index, 1); // 2 tracks < 120 seconds: numbers compared as they are
    InfoLabel info = plan.UpdateInfo();
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

TEST_F(ScheduleTest, CancelWithNothingPlannedWritesNothingAndOtherwiseSkipsTheNextOrEveryEntry) {
    plan.Load();
    plan.Activer = true;
    plan.Cancel();
    EXPECT_FALSE(store.HasKey(kSectionPlanification, "Activer", true));
    plan.CancelAll();
    EXPECT_EQ(Stored("Activer"), "1");
    EXPECT_EQ(Stored("AfficheInfo"), "1");

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

TEST_F(ScheduleTest, RearmNamesTheEntryOfTheFullListAndRestartsItsCountdown) {
    const int done = 45000;
    Load({{.action = 4, .mode = kModeDans, .quand = 3, .done = done},
          {.action = 5, .enabled = false, .done = done},
          {.action = 6, .mode = kModeDans, .quand = 3, .done = done}});
    plan.Rearm("7 - Stopper");
    plan.Rearm("1 - Pause"); // disabled: not running, not armed
    EXPECT_EQ(Done(), (std::vector{done, done}));
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

// Every change of a done date reaches the disk at once: a run (before its
// action, so that a killed program does not run it again), a re-arm, a cancel.
TEST_F(ScheduleOnDisk, DoneDatesReachTheDiskAtOnceARunsBeforeItsAction) {
    Start();
    WriteEntries(*store, {{.action = 7, .mode = 1}, {.action = 8, .mode = 1, .quand = 90}});
    ASSERT_TRUE(store->Flush().ok);
    Start();
    plan->Evaluate(true);
    ASSERT_EQ(ran, std::vector<int>{7});
    EXPECT_EQ(seenOnDisk[0], "03/06/2024");
    Start(); // the program was killed: no Close, no save at the end
    plan->Evaluate(true);
    EXPECT_EQ(ran.size(), 1u);

    Start();
    plan->Rearm("0 - Titre suivant");
    EXPECT_EQ(OnDisk("Effectuer 0"), "0");
    Start();
    plan->Cancel();
    EXPECT_EQ(OnDisk("Effectuer 0"), "03/06/2024");
    EXPECT_EQ(OnDisk("Effectuer 1"), "0");
    Start();
    plan->CancelAll();
    EXPECT_EQ(OnDisk("Effectuer 1"), "03/06/2024");
}
