// The schedule's done dates on a real settings file: on disk as soon as an
// entry is marked, and read back right across restarts whatever the date format.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "ScheduleFixture.h"
#include "TestDateCodecs.h"

using namespace pilotune;
using pilotune::testing::Entry;
using pilotune::testing::SetClock;

namespace {

constexpr std::string_view kPlan = kSectionPlanification;

class ScheduleOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              (std::string("pilotune-schedule-disk-") + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        clock.Set(3, 12);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // A start of the program: the store opened on the file, the schedule loaded.
    void Start() {
        plan.reset();
        store = std::make_unique<SettingsStore>();
        store->Open("", {(dir / "p.exe").string(), "abc", &codec, dates});
        plan = std::make_unique<CPlanification>(*store, clock,
                                                [this](int a, const std::string& p) { Ran(a, p); });
        plan->Load();
    }
    // What a fresh reader finds on disk now.
    std::string OnDisk(const std::string& key) const {
        SettingsStore reader;
        reader.Open("", {(dir / "p.exe").string(), "abc", &codec, dates});
        return reader.ReadText(kPlan, key, "<none>", true);
    }
    void Write(const std::vector<Entry>& entries) {
        store->WriteBoolean(kPlan, "Activer", true, true);
        store->WriteInteger(kPlan, "NbListe", static_cast<int>(entries.size()), true);
        for (std::size_t k = 0; k < entries.size(); ++k) {
            const std::string i = std::to_string(k);
            store->WriteInteger(kPlan, "Action " + i, entries[k].action, true);
            store->WriteInteger(kPlan, "Comment " + i, entries[k].mode, true);
            store->WriteInteger(kPlan, "Periode " + i, entries[k].period, true);
            store->WriteInteger(kPlan, "Quand " + i, entries[k].quand, true);
            store->WriteDate(kPlan, "Effectuer " + i, entries[k].done, true);
        }
    }
    void Ran(int action, const std::string&) {
        ran.push_back(action);
        seenOnDisk.push_back(OnDisk("Effectuer 0"));
    }

    std::filesystem::path dir;
    Windows1252Codec codec;
    DayMonthYearDateCodec dayMonthYear;
    const DateCodec* dates = &dayMonthYear;
    SetClock clock;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<CPlanification> plan;
    std::vector<int> ran;
    std::vector<std::string> seenOnDisk;
};

} // namespace

TEST_F(ScheduleOnDisk, AnEntryThatRanIsOnDiskBeforeItsActionAndDoesNotRunAgainAfterACrash) {
    Start();
    Write({{.action = 7, .mode = 1, .period = 0, .quand = 0}});
    ASSERT_TRUE(store->Flush().ok);
    Start();
    plan->Evaluate(true);
    ASSERT_EQ(ran, std::vector<int>{7});
    EXPECT_EQ(seenOnDisk[0], "03/06/2024"); // saved before the action ran

    Start(); // the program was killed: no Close, no save at the end
    for (int i = 0; i < 5; ++i)
        plan->Evaluate(true);
    EXPECT_EQ(ran.size(), 1u);
}

TEST_F(ScheduleOnDisk, CancelledAndReArmedEntriesReachTheDiskAtOnce) {
    Start();
    Write({{.action = 7, .mode = 1, .quand = 50}, {.action = 8, .mode = 1, .quand = 90}});
    ASSERT_TRUE(store->Flush().ok);
    const struct {
        const char* what;
        std::function<void(CPlanification&)> act;
        const char* first;
        const char* second;
    } cases[] = {
        {"Annuler", [](CPlanification& p) { p.Cancel(); }, "03/06/2024", "0"},
        {"Annuler Tout", [](CPlanification& p) { p.CancelAll(); }, "03/06/2024", "03/06/2024"},
        {"Relancer", [](CPlanification& p) { p.Rearm("0 - Titre suivant"); }, "0", "03/06/2024"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start();
        c.act(*plan);
        EXPECT_EQ(OnDisk("Effectuer 0"), c.first);
        EXPECT_EQ(OnDisk("Effectuer 1"), c.second);
    }
}

TEST_F(ScheduleOnDisk, AnArmedOneTimeEntryStaysArmedAcrossRestartsWithATwoDigitYearFormat) {
    const pilotune::testing::TwoDigitYearDates twoDigits;
    const pilotune::testing::BuddhistEraDates buddhist;
    for (const DateCodec* format :
         {static_cast<const DateCodec*>(&twoDigits), static_cast<const DateCodec*>(&buddhist)}) {
        std::filesystem::remove(dir / "p.ini");
        dates = format;
        ran.clear();
        Start();
        Write({{.action = 7, .mode = 1, .quand = 0}, {.action = 8, .mode = 1, .quand = 3}});
        ASSERT_TRUE(store->Close().ok);
        Start();
        plan->Evaluate(true); // entry 0 runs; entry 1 is saved armed
        ASSERT_TRUE(store->Close().ok);
        for (int restart = 0; restart < 2; ++restart) {
            Start();
            EXPECT_EQ(plan->Entries()[1].Effectuer, 0) << OnDisk("Effectuer 1");
            ASSERT_TRUE(store->Close().ok);
        }
        Start();
        for (int i = 0; i < 5; ++i)
            plan->Evaluate(true);
        EXPECT_EQ(ran, (std::vector<int>{7, 8}));
    }
}
