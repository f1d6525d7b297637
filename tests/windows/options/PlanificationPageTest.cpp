// The schedule page in the real program: entries added in the dialog run at
// the simulator, and the list round-trips through the settings file.
#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "OptionsHarness.h"
#include "components/UEditUpDownWin32.h"
#include "player/Winamp.h"
#include "schedule/Planification.h"

namespace pilotune::testing {
namespace {

class PlanificationPageTest : public ::testing::Test {
  protected:
    void OpenOnPlanification() {
        h.Open();
        ASSERT_TRUE(h.Loop([&] { return h.Form() && IsWindowVisible(h.Form()); }));
        h.Click(kOptPageButton + kPagePlanification);
    }
    void Choose(int id, int index) {
        HWND box = h.Item(id);
        SendMessageW(box, CB_SETCURSEL, index, 0);
        SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    }
    HWND List() { return h.Item(kOptPlanList); }
    int Rows() { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::string Cell(int row, int column) {
        wchar_t buffer[512] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = 512;
        SendMessageW(List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return Narrow(buffer);
    }
    void SetRowChecked(int row, bool on) {
        LVITEMW item{};
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
        SendMessageW(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    void WriteEntry(int i, int action, int mode, int period, int quand) {
        const std::string n = std::to_string(i);
        h.store.WriteInteger(kSectionPlanification, "Action " + n, action, true);
        h.store.WriteInteger(kSectionPlanification, "Comment " + n, mode, true);
        h.store.WriteInteger(kSectionPlanification, "Periode " + n, period, true);
        h.store.WriteInteger(kSectionPlanification, "Quand " + n, quand, true);
    }
    void SelectRow(int row) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    // Opens the list menu by a right click, reads its last item and closes it.
    std::string MenuLastItem() {
        std::string last;
        {
            ModalDriver reader(L"#32768", [&](HWND menu) {
                auto popup = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
                wchar_t text[128] = {};
                if (popup)
                    GetMenuStringW(popup, GetMenuItemCount(popup) - 1, text, 128, MF_BYPOSITION);
                last = Narrow(text);
                PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            });
            NMITEMACTIVATE click{};
            click.hdr = {List(), static_cast<UINT_PTR>(kOptPlanList), NM_RCLICK};
            SendMessageW(GetParent(List()), WM_NOTIFY, kOptPlanList,
                         reinterpret_cast<LPARAM>(&click));
        }
        return last;
    }
    OptionsHarness h;
};

TEST_F(PlanificationPageTest, AnEntryInThreeSecondsAddedAndAppliedRunsAtTheSimulator) {
    h.Start();
    OpenOnPlanification();
    h.Click(kOptPlanActiver);
    Choose(kOptPlanAction, STOPPER);
    Choose(kOptPlanComment, kModeDans);
    EXPECT_EQ(h.Text(kOptPlanHeure), "00 h 10 m 00 s"); // picking "dans" proposes ten minutes
    EXPECT_TRUE(IsWindowVisible(h.Item(kOptPlanHeure)));
    EXPECT_FALSE(IsWindowVisible(h.Item(kOptPlanChanson)));
    TEditUpDown::FromHandle(h.Item(kOptPlanHeure))->SetPosition(3);
    h.Click(kOptPlanAjouter);
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 2), "00 h 00 m 03 s");
    EXPECT_EQ(Cell(0, 4), "");
    const int before = h.Logged(WM_COMMAND, kCmdStop, 0);
    h.Click(kOptAppliquer);
    EXPECT_TRUE(h.plan.Activer);
    ASSERT_EQ(h.plan.Count(), 1);
    EXPECT_EQ(h.plan.Entries()[0].Quand, 3);
    EXPECT_TRUE(h.Loop([&] { return h.Logged(WM_COMMAND, kCmdStop, 0) > before; }, 8000));
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "NbListe", 0, true), 1);
}

TEST_F(PlanificationPageTest, FaitMarksTheEntryDoneAndItDoesNotRun) {
    h.Start();
    OpenOnPlanification();
    h.Click(kOptPlanActiver);
    Choose(kOptPlanAction, STOPPER);
    Choose(kOptPlanComment, kModeDans);
    TEditUpDown::FromHandle(h.Item(kOptPlanHeure))->SetPosition(2);
    h.Click(kOptPlanAjouter);
    SelectRow(0);
    wchar_t today[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, today, 64);
    EXPECT_EQ(MenuLastItem(), "Exécuter le " + Narrow(today));
    SendMessageW(h.Form(), WM_COMMAND, MAKEWPARAM(kMnuFait, 0), 0);
    EXPECT_EQ(Cell(0, 4), Narrow(today));
    EXPECT_EQ(MenuLastItem(), "Réexecuter");
    const int before = h.Logged(WM_COMMAND, kCmdStop, 0);
    h.Click(kOptAppliquer);
    ASSERT_EQ(h.plan.Count(), 1);
    EXPECT_NE(h.plan.Entries()[0].Effectuer, 0);
    // Past its two seconds, the entry done today has not run.
    h.Settle(4000);
    EXPECT_EQ(h.Logged(WM_COMMAND, kCmdStop, 0), before);
    // "Réexecuter" arms it again.
    SendMessageW(h.Form(), WM_COMMAND, MAKEWPARAM(kMnuFait, 0), 0);
    EXPECT_EQ(Cell(0, 4), "");
}

TEST_F(PlanificationPageTest, ModeAPutsTheTimeOfDayAndModeThreeHidesBothFields) {
    h.Start();
    OpenOnPlanification();
    h.Click(kOptPlanActiver);
    Choose(kOptPlanComment, kModeA);
    const int position = TEditUpDown::FromHandle(h.Item(kOptPlanHeure))->Position();
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int seconds = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
    EXPECT_LE(std::abs(seconds - position), 5);
    Choose(kOptPlanComment, kModePrecedent);
    EXPECT_FALSE(IsWindowVisible(h.Item(kOptPlanHeure)));
    EXPECT_FALSE(IsWindowVisible(h.Item(kOptPlanChanson)));
    h.Click(kOptPlanAjouter);
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 2), "");
    Choose(kOptPlanComment, kModeApres);
    EXPECT_TRUE(IsWindowVisible(h.Item(kOptPlanChanson)));
}

TEST_F(PlanificationPageTest, UncheckedRowsStayInTheFileAndDoNotRun) {
    h.store.WriteInteger(kSectionPlanification, "NbListe", 3, true);
    for (int i = 0; i < 3; ++i)
        WriteEntry(i, STOPPER, kModeDans, 1, 600 + i);
    h.Start();
    OpenOnPlanification();
    ASSERT_EQ(Rows(), 3);
    SetRowChecked(0, false);
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
    OpenOnPlanification();
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
