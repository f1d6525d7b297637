// The programme and schedule pages in the real program beside the simulator.
// Programmes: composed from a range of tracks, the names box and replay, the
// recording and replay switches. Schedule: entries added in the dialog run at
// the simulator, and the list round-trips through the settings file.
#include <gtest/gtest.h>

#include <algorithm>

#include "OptionsHarness.h"
#include "options/ActionTexts.h"
#include "options/ProgrammePageWin32.h"
#include "RecordingMessages.h"
#include "ShortDateFormat.h"
#include "player/Winamp.h"
#include "programmes/FProgLireWin32.h"
#include "programmes/Programmes.h"
#include "schedule/Planification.h"

namespace pilotune::testing {
namespace {

constexpr LPARAM kQueryCurrent = 125; // the 0-based playlist position

struct ProgrammePageTest : ::testing::Test {
    void SetUp() override { h.Start(); }
    int Rows() { return h.Rows(kProgList); }
    std::string Cell(int row, int column) { return h.Cell(kProgList, row, column); }
    void AddRange(int from, int to, int start, int end) {
        h.Spin(kProgNumeroDe).SetPosition(from);
        h.Spin(kProgNumeroA).SetPosition(to);
        h.Spin(kProgDepart).SetPosition(start);
        h.Spin(kProgFin).SetPosition(end);
        h.Click(kProgAjouter);
    }
    std::string Key(const std::string& section, const std::string& key) {
        return h.store.ReadText(section, key, "<none>", true);
    }
    int SimTrack() { return static_cast<int>(h.sim.User(kQueryCurrent)); }
    // Stores programme `name` with one whole-track entry per file of `tracks`.
    void StoreProgramme(const std::string& name, std::vector<int> tracks) {
        std::vector<TProg> entries;
        for (int n : tracks)
            entries.push_back({n, 0, 0, std::string(FileNamePart(h.link.FichierTitre(n)))});
        WriteProgramme(h.store, name, entries);
    }
    OptionsHarness h;
};

// A range with its start and end, under a typed name: the name joins the
// names with a section of its own, the other programme stays as it was.
TEST_F(ProgrammePageTest, ARangeUnderATypedNameIsShownAndStoredInItsOwnSection) {
    for (int track = 3; track <= 6; ++track)
        h.sim.SetLength(track, 300);
    StoreProgramme("PlayList", {1});
    ASSERT_TRUE(h.OpenOn(kPageProgramme));
    ASSERT_EQ(Rows(), 1);
    SetWindowTextW(h.Item(kProgTitreBox), L"Soirée");
    AddRange(3, 5, 30, 120);
    ASSERT_EQ(Rows(), 4);
    for (int r = 1; r < 4; ++r) {
        EXPECT_EQ(Cell(r, 0), std::to_string(2 + r));
        EXPECT_EQ(Cell(r, 1), FileNamePart(h.link.FichierTitre(2 + r)));
        EXPECT_EQ(Cell(r, 2), "00 m 30 s");
        EXPECT_EQ(Cell(r, 3), "02 m 00 s");
    }
    h.Shot("programme");
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_EQ(ReadProgrammeNames(h.store), (std::vector<std::string>{"PlayList", "Soirée"}));
    EXPECT_EQ(h.option.ProgTitre, "Soirée");
    EXPECT_EQ(Key(ProgrammeSection("PlayList"), "ProgNb"), "1");
    const std::string s = ProgrammeSection("Soirée");
    EXPECT_EQ(Key(s, "ProgNb"), "4"); // the row shown, and the three added
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(Key(s, "ProgN " + std::to_string(i)), std::to_string(2 + i));
        EXPECT_EQ(Key(s, "ProgD " + std::to_string(i)), "30");
        EXPECT_EQ(Key(s, "ProgF " + std::to_string(i)), "120");
    }
    EXPECT_NE(h.FileText().find("ProgF 3=120"), std::string::npos); // Ok wrote the file
}

TEST_F(ProgrammePageTest, SwitchingNamesSavesTheShownListAndLeavesReplayAlone) {
    for (int track = 1; track <= 9; ++track)
        h.sim.SetLength(track, 600);
    StoreProgramme("Matin", {1, 2});
    StoreProgramme("Soir", {8, 9});
    WriteProgrammeNames(h.store, {"Matin", "Soir"});
    h.bar.dispatcher.ExecuterAction(LECTUREPROGRAMME, false, "Matin");
    ASSERT_TRUE(h.Loop([&] { return SimTrack() == 0; }));
    ASSERT_TRUE(h.option.ProgLecture);
    ASSERT_TRUE(h.OpenOn(kPageProgramme));
    ASSERT_EQ(Rows(), 2);
    AddRange(5, 5, 0, 0);
    SetFocus(h.Item(kProgTitreBox)); // as the user picks a name: focus first, then the choice
    h.Choose(kProgTitreBox, 1);
    // The edited list went to the file under its own name; "Soir" is shown.
    EXPECT_EQ(Key(ProgrammeSection("Matin"), "ProgNb"), "3");
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), "8");
    // Replay still plays "Matin" as it was: its next entry is track 2.
    EXPECT_EQ(h.option.ProgTitre, "Matin");
    ASSERT_EQ(h.option.Programme.size(), 2u);
    h.sim.Command(kCmdNext); // a track change moves replay on, to its last entry
    ASSERT_TRUE(h.Loop([&] { return !h.option.ProgLecture; })); // after its jump
    EXPECT_EQ(SimTrack(), 1);

    // Apply naming the other programme starts it.
    h.Click(kAppliquer);
    EXPECT_EQ(h.option.ProgTitre, "Soir");
    ASSERT_TRUE(h.Loop([&] { return SimTrack() == 7; }));
    h.Click(IDCANCEL);
    ASSERT_TRUE(h.Closed());
}

TEST_F(ProgrammePageTest, RecordingUnchecksReplayDefautEmptiesThePageTheKeysOfferItsNames) {
    StoreProgramme("Matin", {1, 2});
    WriteProgrammeNames(h.store, {"Matin", "", "MATIN"});
    h.option.ProgTitre = "Matin";
    h.option.ProgLecture = true;
    ASSERT_TRUE(h.OpenOn(kPageProgramme));
    EXPECT_EQ(SendMessageW(h.Item(kProgTitreBox), CB_GETCOUNT, 0, 0), 1);
    EXPECT_TRUE(h.Checked(kProgLecture));
    h.Click(kProgEnreg);
    EXPECT_TRUE(h.Checked(kProgEnreg));
    EXPECT_FALSE(h.Checked(kProgLecture));
    h.Click(kProgLecture);
    EXPECT_TRUE(h.Checked(kProgEnreg)); // replay leaves recording as it is

    h.Click(kDefaut);
    EXPECT_FALSE(h.Checked(kProgEnreg));
    EXPECT_FALSE(h.Checked(kProgLecture));
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(h.Text(kProgTitreBox), "PlayList");
    EXPECT_EQ(SendMessageW(h.Item(kProgTitreBox), CB_GETCOUNT, 0, 0), 0);
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_EQ(ReadProgrammeNames(h.store), std::vector<std::string>{"PlayList"});
    EXPECT_FALSE(h.option.ProgLecture);

    // The keyboard page chooses among the names the programme page holds.
    WriteProgrammeNames(h.store, {"Matin", "Soir"});
    ASSERT_TRUE(h.OpenOn(kPageProgramme));
    SetWindowTextW(h.Item(kProgTitreBox), L"Soir");
    h.Command(kMnuProgSupprimer); // "Soir" leaves the names
    h.Click(h.PageButton(kPageClavier));
    h.Click(kClaActiver);
    h.ChooseAction(kClaAction, LECTUREPROGRAMME);
    std::vector<std::string> offered;
    ModalDriver chooser(kProgLireClass, [&](HWND box) {
        HWND list = GetDlgItem(box, kCbxProgTitreId);
        const int n = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            wchar_t item[256] = {};
            SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            offered.push_back(Narrow(item));
        }
        PostMessageW(box, WM_CLOSE, 0, 0);
    });
    h.Click(kClaParcourir);
    chooser.Join();
    EXPECT_TRUE(chooser.found);
    EXPECT_EQ(offered, std::vector<std::string>{"Matin"});
}

// Recording goes on into the list shown; values beyond the masks are kept;
// the dialog coming back is no entry into the names box; a typed name is
// trimmed; Ok tells a failed save.
TEST_F(ProgrammePageTest, KeepsRecordingAndStoredValuesTrimsNamesAndTellsAFailedSave) {
    for (int track = 1; track <= 3; ++track)
        h.sim.SetLength(track, 900);
    WriteProgramme(h.store, "PlayList", {{1, 7200, 7260, "x"}});
    h.store.WriteInteger(kSectionProgramme, "ProgDep", 7000, true);
    h.sim.Command(kCmdPlay);
    h.bar.dispatcher.ExecuterAction(ENREGISTREPROGRAMME, false);
    ASSERT_TRUE(h.OpenOn(kPageProgramme));
    EXPECT_EQ(Cell(0, 2), "120 m 00 s");
    h.sim.Command(kCmdNext);
    ASSERT_TRUE(h.Loop([&] { return Rows() == 2; }));
    SetWindowPos(h.Form(), nullptr, 0, 0, 1000, 740, SWP_NOZORDER); // whole on the screen
    h.Shot("programme-recorded");
    h.Click(kAppliquer);
    EXPECT_EQ(Key(ProgrammeSection("PlayList"), "ProgNb"), "2");
    EXPECT_EQ(Key(ProgrammeSection("PlayList"), "ProgD 0"), "7200");
    EXPECT_EQ(Key("Programme", "ProgDep"), "7000");

    // Typed into the box, then the dialog left and taken back.
    HWND edit = FindWindowExW(h.Item(kProgTitreBox), nullptr, L"Edit", nullptr);
    MouseAt(edit, 5, 5, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
    PressKey(VK_END);
    PressKey(VK_HOME, true);
    for (WORD vk : {WORD(VK_SPACE), WORD('S'), WORD('O'), WORD('I'), WORD('R'), WORD(VK_SPACE)})
        PressKey(vk, vk == 'S');
    ASSERT_TRUE(h.Loop([&] { return h.Text(kProgTitreBox) == " Soir "; }));
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(MakeForeground(other) && MakeForeground(h.Form()));
    DestroyWindow(other);
    EXPECT_EQ(Key(ProgrammeSection(" Soir"), "ProgNb"), "<none>");
    h.Click(kAppliquer);
    COption restarted;
    restarted.Load(h.store, [&](const std::string& t) { return h.link.ChercherTitre(t); });
    EXPECT_EQ(restarted.ProgTitre, "Soir");
    EXPECT_EQ(restarted.Programme.size(), 2u);

    RecordingMessages messages;
    HANDLE held = CreateFileW(h.ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    h.Click(IDOK);
    CloseHandle(held);
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_TRUE(messages.errors[0].starts_with("Les paramètres n'ont pas pu être enregistrés"));
}

struct PlanificationPageTest : ::testing::Test {
    int Rows() { return h.Rows(kPlanList); }
    std::string Cell(int row, int column) { return h.Cell(kPlanList, row, column); }
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
        h.RightClick(kPlanList, 0, [&](HMENU popup) {
            if (popup) GetMenuStringW(popup, GetMenuItemCount(popup) - 1, text, 128, MF_BYPOSITION);
        });
        return Narrow(text);
    }
    OptionsHarness h;
};

// Mode "à" proposes the time of day, "dans" ten minutes; an entry in three
// seconds runs at the simulator unless marked done.
TEST_F(PlanificationPageTest, ModesShowTheirFieldsAnEntryRunsUnlessMarkedDone) {
    h.Start();
    ASSERT_TRUE(h.OpenOn(kPagePlanification));
    h.Click(kPlanActiver);
    h.Choose(kPlanComment, kModeA);
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int seconds = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
    EXPECT_LE(std::abs(seconds - h.Spin(kPlanHeure).Position()), 5);
    h.Choose(kPlanComment, kModePrecedent);
    EXPECT_FALSE(IsWindowVisible(h.Item(kPlanHeure)));
    EXPECT_FALSE(IsWindowVisible(h.Item(kPlanChanson)));
    h.Choose(kPlanComment, kModeApres);
    EXPECT_TRUE(IsWindowVisible(h.Item(kPlanChanson)));
    h.ChooseAction(kPlanAction, STOPPER);
    h.Choose(kPlanComment, kModeDans);
    EXPECT_EQ(h.Text(kPlanHeure), "00 h 10 m 00 s");
    EXPECT_TRUE(IsWindowVisible(h.Item(kPlanHeure)));
    EXPECT_FALSE(IsWindowVisible(h.Item(kPlanChanson)));
    h.Spin(kPlanHeure).SetPosition(3);
    h.Click(kPlanAjouter);
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 2), "00 h 00 m 03 s");
    EXPECT_EQ(Cell(0, 4), "");

    // Marked done today, it does not run past its three seconds.
    h.SelectRow(kPlanList, 0);
    wchar_t today[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, today, 64);
    EXPECT_EQ(MenuLastItem(), "Exécuter le " + Narrow(today));
    h.Command(kMnuFait);
    EXPECT_EQ(Cell(0, 4), Narrow(today));
    EXPECT_EQ(MenuLastItem(), "Réexecuter");
    // A witness after it, same delay: once it ran, so would have the first.
    h.ChooseAction(kPlanAction, JOUER);
    h.Click(kPlanAjouter);
    const int before = h.Logged(WM_COMMAND, kCmdStop, 0);
    const int played = h.Logged(WM_COMMAND, kCmdPlay, 0);
    h.Click(kAppliquer);
    EXPECT_TRUE(h.plan.Activer);
    ASSERT_EQ(h.plan.Count(), 2);
    EXPECT_EQ(h.plan.Entries()[0].Quand, 3);
    EXPECT_NE(h.plan.Entries()[0].Effectuer, 0);
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "NbListe", 0, true), 2);
    ASSERT_TRUE(h.Loop([&] { return h.Logged(WM_COMMAND, kCmdPlay, 0) > played; }, 8000));
    EXPECT_EQ(h.Logged(WM_COMMAND, kCmdStop, 0), before);

    // "Réexecuter" arms it again: applied, it runs.
    h.SelectRow(kPlanList, 0);
    h.Command(kMnuFait);
    EXPECT_EQ(Cell(0, 4), "");
    h.Click(kAppliquer);
    EXPECT_TRUE(h.Loop([&] { return h.Logged(WM_COMMAND, kCmdStop, 0) > before; }, 8000));
    // A mode without a time leaves the time column empty.
    h.Choose(kPlanComment, kModePrecedent);
    h.Click(kPlanAjouter);
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(2, 2), "");
}

// Unknown codes show a label and are written back unchanged; an unchecked row
// stays in the file and does not run.
TEST_F(PlanificationPageTest, UnknownCodesAndUncheckedRowsAreWrittenBackUnchanged) {
    h.store.WriteInteger(kSectionPlanification, "NbListe", 4, true);
    h.store.WriteInteger(kSectionPlanification, "cbxPlanAction", 77, true);
    h.store.WriteInteger(kSectionPlanification, "cbxPlanComment", -3, true);
    WriteEntry(0, STOPPER, 9, 20, 5);
    WriteEntry(1, 200, kModeDans, 1, 5);
    WriteEntry(2, STOPPER, kModeDans, 1, 600);
    WriteEntry(3, STOPPER, kModeDans, 1, 601);
    h.Start();
    ASSERT_TRUE(h.OpenOn(kPagePlanification));
    ASSERT_EQ(Rows(), 4);
    EXPECT_EQ(Cell(0, 1), "Code inconnu 9");
    EXPECT_EQ(Cell(0, 3), "Code inconnu 20");
    EXPECT_EQ(Cell(1, 0), "Le programmeur est un con");
    EXPECT_EQ(SendMessageW(h.Item(kPlanAction), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageW(h.Item(kPlanComment), CB_GETCURSEL, 0, 0), 0);
    h.SetRowState(kPlanList, 2, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
    h.Click(kPlanActiver);
    h.Click(kAppliquer);
    EXPECT_EQ(std::ranges::count(h.plan.Entries(), 2, &TPlan::Index), 0);
    EXPECT_EQ(std::ranges::count(h.plan.Entries(), 3, &TPlan::Index), 1);
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "NbListe", 0, true), 4);
    EXPECT_FALSE(h.store.ReadBoolean(kSectionPlanification, "Activer 2", true, true));
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "Comment 0", 0, true), 9);
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "Periode 0", 0, true), 20);
    EXPECT_EQ(h.store.ReadInteger(kSectionPlanification, "Action 1", 0, true), 200);
}

// Opening rebuilds the schedule, " Parcourir" not; an entry run while open
// stays done through Ok, in a format with month names; Ok writes the keys of
// pages never shown and keeps a loop switched on elsewhere; taken back, 30 h
// stay whole and an unknown action selects none.
TEST_F(PlanificationPageTest, AnEntryThatRanWhileTheDialogWasOpenStaysDone) {
    ShortDateFormat format(L"dd-MMM-yy");
    h.store.WriteBoolean(kSectionPlanification, "Activer", true, true);
    h.store.WriteInteger(kSectionPlanification, "NbListe", 3, true);
    WriteEntry(0, STOPPER, kModeDans, kPeriodOnce, 30 * 3600);
    WriteEntry(1, 200, kModeDans, kPeriodOnce, 600);
    WriteEntry(2, STOPPER, kModeDans, kPeriodOnce, 2);
    h.plan.Load(); // as the program, before the bar
    h.Start();
    ASSERT_TRUE(h.Loop([&] { return h.plan.Entries()[2].Quand < 2; }));
    ASSERT_TRUE(h.OpenOn());
    EXPECT_EQ(h.plan.Entries()[2].Quand, 2);
    h.bar.dispatcher.ExecuterAction(BOUCLE, false); // a shortcut, say
    h.Spin(kTransparent).SetPosition(50);
    h.Click(h.PageButton(kPageClavier)); // " Parcourir", cancelled, restarts no countdown
    h.ChooseAction(kClaAction, RELANCERACTION);
    ASSERT_TRUE(h.Loop([&] { return h.plan.Entries()[2].Quand < 2; }));
    ModalDriver chooser(kProgLireClass, [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); });
    h.Click(kClaParcourir);
    EXPECT_LT(h.plan.Entries()[2].Quand, 2);
    h.Click(h.PageButton(kPagePlanification));
    ASSERT_TRUE(h.Loop([&] { return h.Logged(WM_COMMAND, kCmdStop, 0) > 0; }, 8000));
    auto takeBack = [&] { h.SelectRow(kPlanList, 0), h.Notify(kPlanList, NM_DBLCLK, 0); };
    takeBack();
    EXPECT_EQ(h.Spin(kPlanHeure).Position(), 30 * 3600);
    h.Click(kPlanAjouter);
    takeBack();
    EXPECT_EQ(SendMessageW(h.Item(kPlanAction), CB_GETCURSEL, 0, 0), CB_ERR);
    h.Click(kPlanAjouter);
    EXPECT_EQ(Rows(), 2);
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_TRUE(h.option.LoopOn);
    EXPECT_EQ(h.option.Transparent, 50);
    EXPECT_EQ(h.plan.Entries()[0].Effectuer, h.clock.Read().today);
    EXPECT_EQ(h.store.ReadDate(kSectionPlanification, "Effectuer 0", 0, true),
              h.clock.Read().today);
    for (std::string_view section : {"Programme music", "Copie"})
        EXPECT_NE(h.store.ReadText(section, "Largeur colonnes 0", "", true), "") << section;
}

} // namespace
} // namespace pilotune::testing
