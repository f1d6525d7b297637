// Done dates in the settings file whatever the user's short date format.
#include "SettingsFixture.h"

#include "TestDateCodecs.h"

using namespace pilotune;
using pilotune::testing::BuddhistEraDates;
using pilotune::testing::SettingsFixture;
using pilotune::testing::TwoDigitYearDates;

using SettingsDates = SettingsFixture;

TEST_F(SettingsDates, NotDoneReadsBackAsNotDoneInEveryDateFormat) {
    const TwoDigitYearDates twoDigits;
    const BuddhistEraDates buddhist;
    const struct {
        const char* name;
        const DateCodec* dates;
    } formats[] = {{"dd/MM/yyyy", &dates}, {"dd/MM/yy", &twoDigits}, {"Thai calendar", &buddhist}};
    constexpr int kDay = 45446; // 3 June 2024
    for (const auto& f : formats) {
        SCOPED_TRACE(f.name);
        std::filesystem::remove(ini);
        SettingsStore::Environment env = Env();
        env.dates = f.dates;
        {
            SettingsStore store;
            store.Open("", env);
            store.WriteDate("Planification", "Effectuer 0", 0, true);
            store.WriteDate("Planification", "Effectuer 1", kDay, true);
            ASSERT_TRUE(store.Close().ok);
        }
        SettingsStore store;
        store.Open("", env);
        EXPECT_EQ(store.ReadDate("Planification", "Effectuer 0", -1, true), 0);
        EXPECT_NE(store.ReadDate("Planification", "Effectuer 1", 0, true), 0);
        if (f.dates != &buddhist) {
            EXPECT_EQ(store.ReadDate("Planification", "Effectuer 1", 0, true), kDay);
        }

        // A file that holds day 0 in the format itself ("30/12/99").
        WriteFile("[abc Planification]\r\nEffectuer 0=" + f.dates->Format(0) + "\r\n");
        SettingsStore old;
        old.Open("", env);
        EXPECT_EQ(old.ReadDate("Planification", "Effectuer 0", -1, true), 0);
    }
}
