// The schedule's done dates on a real settings file: on disk as soon as an
// entry is marked, and read back right across restarts whatever the date format.
#include <functional>
#include <memory>

#include "ScheduleFixture.h"
#include "SettingsFixture.h"

using namespace pilotune;
using pilotune::testing::Entry;
using pilotune::testing::SetClock;
using pilotune::testing::WriteEntries;

namespace {

// The Thai solar calendar (year + 543), read back by a reader that takes the
// year for a Gregorian one.
class BuddhistEraDates final : public DateCodec {
  public:
    std::string Format(int day) const override {
        const CivilDate d = CivilFromDay(day);
        return std::to_string(d.day) + "/" + std::to_string(d.month) + "/" +
               std::to_string(d.year + 543);
    }
    std::optional<int> Parse(std::string_view text) const override {
        return DayMonthYearDateCodec().Parse(text);
    }
};

class ScheduleOnDisk : public pilotune::testing::SettingsFixture {
  protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        clock.Set(3, 12);
    }
    SettingsStore::Environment Dated() const {
        SettingsStore::Environment env = Env();
        env.dates = format;
        return env;
    }
    // A start of the program: the store opened on the file, the schedule loaded.
    void Start() {
        plan.reset();
        store = std::make_unique<SettingsStore>();
        store->Open("", Dated());
        plan = std::make_unique<CPlanification>(*store, clock, [this](int a, const std::string&) {
            ran.push_back(a);
            seenOnDisk.push_back(OnDisk("Effectuer 0"));
        });
        plan->Load();
    }
    // What a fresh reader finds on disk now.
    std::string OnDisk(const std::string& key) const {
        SettingsStore reader;
        reader.Open("", Dated());
        return reader.ReadText(kSectionPlanification, key, "<none>", true);
    }

    const DateCodec* format = &dates;
    SetClock clock;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<CPlanification> plan;
    std::vector<int> ran;
    std::vector<std::string> seenOnDisk;
};

} // namespace

TEST_F(ScheduleOnDisk, AnEntryThatRanIsOnDiskBeforeItsActionAndDoesNotRunAgainAfterACrash) {
    Start();
    WriteEntries(*store, {{.action = 7, .mode = 1, .period = 0, .quand = 0}});
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
    WriteEntries(*store,
                 {{.action = 7, .mode = 1, .quand = 50}, {.action = 8, .mode = 1, .quand = 90}});
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

// A done entry stays done and an armed one armed across restarts, also in a
// date format where day 0 does not read back as day 0 (a two-digit year runs
// with the real locale in the Windows settings tests); a file that holds day 0
// written in the format itself reads as not done too.
TEST_F(ScheduleOnDisk, DoneAndArmedEntriesKeepTheirStateAcrossRestartsInEveryDateFormat) {
    const BuddhistEraDates buddhist;
    for (const DateCodec* f : std::initializer_list<const DateCodec*>{&dates, &buddhist}) {
        SCOPED_TRACE(f->Format(0));
        std::filesystem::remove(ini);
        format = f;
        ran.clear();
        Start();
        WriteEntries(*store,
                     {{.action = 7, .mode = 1, .quand = 0}, {.action = 8, .mode = 1, .quand = 3}});
        ASSERT_TRUE(store->Close().ok);
        Start();
        plan->Evaluate(true); // entry 0 runs; entry 1 is saved armed
        ASSERT_TRUE(store->Close().ok);
        for (int restart = 0; restart < 2; ++restart) {
            Start();
            EXPECT_NE(plan->Entries()[0].Effectuer, 0);
            EXPECT_EQ(plan->Entries()[1].Effectuer, 0) << OnDisk("Effectuer 1");
            ASSERT_TRUE(store->Close().ok);
        }
        Start();
        for (int i = 0; i < 5; ++i)
            plan->Evaluate(true);
        EXPECT_EQ(ran, (std::vector<int>{7, 8}));

        store->WriteText(kSectionPlanification, "Effectuer 1", f->Format(0), true);
        ASSERT_TRUE(store->Close().ok);
        Start();
        EXPECT_EQ(plan->Entries()[1].Effectuer, 0);
    }
}
