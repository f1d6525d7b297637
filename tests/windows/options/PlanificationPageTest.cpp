// The schedule page in the real program: entries added in the dialog run at
// the simulator, and the list round-trips through the settings file.
#include <gtest/gtest.h>

#include "OptionsHarness.h"
#include "player/Winamp.h"
#include "schedule/Planification.h"

namespace pilotune::testing {
namespace {

struct PlanificationPageTest : ::testing::Test {
    int Rows() { return h.Rows(kOptPlanList); }
    std::string Cell(int row, int column) { return h.Cell(kOptPlanList, row, column); }
    void WriteEntry(int i, int action, int mode, int period, int quand) {
        const std::string n = std::to_string(i);
        h.store.WriteInteger(kSectionPlanification, "Action " + n, action, true);
        h.store.WriteInteger(kSectionPlanification, "Comment " + n, mode, true);
        h.store.WriteInteger(kSectionPlanification, "Periode " + n, period, true);
        h.store.WriteInteger(kSectionPlanification, "Quand " + n, quand, true);
    }
    // The last item of the menu a right click on the list opens.
    std::string MenuLastItem() {
        wchar_t text[128] = {};
        h.RightClick(kOptPlanList, 0, [&](HMENU popup) {
            if (popup) GetMenuStringW(popup, GetMenuItemCount(popup) - 1, text, 128, MF_BYPOSITION);
        });
        return Narrow(text);
    }
    OptionsHarness h;
};

TEST_F(PlanificationPageTest, AnEntryInThreeSecondsRunsAtTheSimulatorUnlessMarkedDone) {
    h.Start();
    ASSERT_TRUE(h.OpenOn(kPagePlanification));
    h.Click(kOptPlanActiver);
    h.Choose(kOptPlanAction, STOPPER);
    h.Choose(kOptPlanComment, kModeDans);
    EXPECT_EQ(h.Text(kOptPlanHeure), "00 h 10 m 00 s"); // picking "dans" proposes ten minutes
    EXPECT_TRUE(IsWindowVisible(h.Item(kOptPlanHeure)));
    EXPECT_FALSE(IsWindowVisible(h.Item(kOptPlanChanson)));
    h.Spin(kOptPlanHeure).SetPosition(3);
    h.Click(kOptPlanAjouter);
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 2), "00 h 00 m 03 s");
    EXPECT_EQ(Cell(0, 4), "");

    // Marked done today, it does not run past its three seconds.
    h.SelectRow(kOptPlanList, 0);
    wchar_t today[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, today, 64);
    EXPECT_EQ(MenuLastItem(), "Exécuter le " + Narrow(today));
    h.Command(kMnuFait);
    EXPECT_EQ(Cell(0, 4), Narrow(today));
    EXPECT_EQ(MenuLastItem(), "Réexecuter");
    const int before = h.Logged(WM_COMMAND, kCmdStop, 0);
    h.Click(kOptAppliquer);
    EXPECT_TRUE(h.plan.Activer);
    ASSERT_EQ(h.plan.Count(), 1);
    EXPECT_EQ(h.plan.Entries()[0].Quand, 3);
    EXPECT_NE(h.plan.Entries()[0].Effectuer, 0);
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "NbListe", 0, true), 1);
    h.Settle(4500);
    EXPECT_EQ(h.Logged(WM_COMMAND, kCmdStop, 0), before);

    // "Réexecuter" arms it again: applied, it runs.
    h.Command(kMnuFait);
    EXPECT_EQ(Cell(0, 4), "");
    h.Click(kOptAppliquer);
    EXPECT_TRUE(h.Loop([&] { return h.Logged(WM_COMMAND, kCmdStop, 0) > before; }, 8000));
}

TEST_F(PlanificationPageTest, ModeAPutsTheTimeOfDayAndModeThreeHidesBothFields) {
    h.Start();
    ASSERT_TRUE(h.OpenOn(kPagePlanification));
    h.Click(kOptPlanActiver);
    h.Choose(kOptPlanComment, kModeA);
    const int position = h.Spin(kOptPlanHeure).Position();
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int seconds = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
    EXPECT_LE(std::abs(seconds - position), 5);
    h.Choose(kOptPlanComment, kModePrecedent);
    EXPECT_FALSE(IsWindowVisible(h.Item(kOptPlanHeure)));
    EXPECT_FALSE(IsWindowVisible(h.Item(kOptPlanChanson)));
    h.Click(kOptPlanAjouter);
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 2), "");
    h.Choose(kOptPlanComment, kModeApres);
    EXPECT_TRUE(IsWindowVisible(h.Item(kOptPlanChanson)));
}

TEST_F(PlanificationPageTest, UncheckedRowsStayInTheFileAndDoNotRun) {
    h.store.WriteInteger(kSectionPlanification, "NbListe", 3, true);
    for (int i = 0; i < 3; ++i)
        WriteEntry(i, STOPPER, kModeDans, 1, 600 + i);
    h.Start();
    ASSERT_TRUE(h.OpenOn(kPagePlanification));
    ASSERT_EQ(Rows(), 3);
    h.SetRowState(kOptPlanList, 0, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
    h.Click(kOptAppliquer);
    ASSERT_EQ(h.plan.Count(), 2);
    EXPECT_EQ(h.plan.Entries()[0].Index, 1);
    EXPECT_EQ(h.plan.Entries()[1].Index, 2);
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "NbListe", 0, true), 3);
    EXPECT_FALSE(h.store.ReadBoolean(kSectionPlanification, "Activer 0", true, true));
}

TEST_F(PlanificationPageTest, UnknownCodesShowALabelAndAreWrittenBackUnchanged) {
    h.store.WriteInteger(kSectionPlanification, "NbListe", 2, true);
    h.store.WriteInteger(kSectionPlanification, "cbxPlanAction", 77, true);
    h.store.WriteInteger(kSectionPlanification, "cbxPlanComment", -3, true);
    WriteEntry(0, STOPPER, 9, 20, 5);
    WriteEntry(1, 200, kModeDans, 1, 5);
    h.Start();
    ASSERT_TRUE(h.OpenOn(kPagePlanification));
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 1), "Code inconnu 9");
    EXPECT_EQ(Cell(0, 3), "Code inconnu 20");
    EXPECT_EQ(Cell(1, 0), "Le programmeur est un con");
    EXPECT_EQ(SendMessageW(h.Item(kOptPlanAction), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageW(h.Item(kOptPlanComment), CB_GETCURSEL, 0, 0), 0);
    h.Click(kOptPlanActiver);
    h.Click(kOptAppliquer);
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "Comment 0", 0, true), 9);
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "Periode 0", 0, true), 20);
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "Action 1", 0, true), 200);
}

} // namespace
} // namespace pilotune::testing
