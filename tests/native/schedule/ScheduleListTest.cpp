// The stored schedule list: the bytes written are those of earlier versions,
// and a damaged list reads as its defaults.
#include "SettingsFixture.h"
#include "schedule/ScheduleList.h"

using namespace pilotune;

namespace {

ScheduleRow Row(int action, int mode, int period, int quand, int done, std::string chemin, bool on,
                int index) {
    ScheduleRow r;
    static_cast<TPlan&>(r) = {action, mode, period, std::move(chemin), quand, index, done};
    r.Activer = on;
    return r;
}

} // namespace

using ScheduleListTest = pilotune::testing::SettingsFixture;

TEST_F(ScheduleListTest, RowsKeepTheirStoredBytesAndDamagedRowsReadAsTheirDefaults) {
    WriteFile("[abc Planification]\r\nNbListe=4\r\nAction 3=9\r\n");
    SettingsStore store = Opened();
    const std::vector<ScheduleRow> rows = {Row(16, 1, 11, 600, 45446, "Soirée", true, 0),
                                           Row(2, 9, 20, 52200, 0, "", false, 1)};
    WriteScheduleList(store, rows);
    ASSERT_TRUE(store.Close().ok);
    // The row of the longer list stays, hidden by the count.
    EXPECT_EQ(FileBytes(),
              "[abc Planification]\r\nNbListe=2\r\nAction 3=9\r\nAction 0=16\r\n"
              "Comment 0=1\r\nPeriode 0=11\r\nQuand 0=600\r\nEffectuer 0=03/06/2024\r\n"
              "Chemin 0=Soir\xe9"
              "e\r\nActiver 0=1\r\nAction 1=2\r\nComment 1=9\r\nPeriode 1=20\r\n"
              "Quand 1=52200\r\nEffectuer 1=0\r\nChemin 1=\r\nActiver 1=0\r\n");
    store = Opened();
    EXPECT_EQ(ReadScheduleList(store), rows);
    EXPECT_EQ(ScheduleDoneText(store, 0), "03/06/2024");
    EXPECT_EQ(ScheduleDoneText(store, 1), "");

    WriteFile("[abc Planification]\nNbListe=0x4\nAction 0=x\nEffectuer 0=pas une date\n"
              "Quand 0=7\nActiver 1=0\nComment 3=2\nChemin 3=p\n");
    store = Opened();
    EXPECT_EQ(ReadScheduleList(store),
              (std::vector<ScheduleRow>{
                  Row(0, 0, 0, 7, 0, "", true, 0), Row(0, 0, 0, 0, 0, "", false, 1),
                  Row(0, 0, 0, 0, 0, "", true, 2), Row(0, 2, 0, 0, 0, "p", true, 3)}));
    // A count far beyond the rows stored reads as far as the last one.
    store.WriteText(kSectionPlanification, "NbListe", "2000000000", true);
    store.WriteInteger(kSectionPlanification, "Quand 5", 1, true);
    EXPECT_EQ(ReadScheduleList(store).size(), 6u);
    store.WriteInteger(kSectionPlanification, "NbListe", -3, true);
    EXPECT_TRUE(ReadScheduleList(store).empty());
}
