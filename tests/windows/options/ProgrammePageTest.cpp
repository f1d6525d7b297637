// The programme page in the real program beside the simulator: composing a
// programme from a range of tracks, replaying it, the names box, and the
// recording and replay switches.
#include <gtest/gtest.h>

#include "OptionsHarness.h"
#include "programmes/FProgLireWin32.h"
#include "player/Winamp.h"
#include "programmes/Programmes.h"

namespace pilotune::testing {
namespace {

constexpr LPARAM kQueryCurrent = 125; // the 0-based playlist position

struct ProgrammePageTest : ::testing::Test {
    int Rows() { return h.Rows(kOptProgList); }
    std::string Cell(int row, int column) { return h.Cell(kOptProgList, row, column); }
    void AddRange(int from, int to, int start, int end) {
        h.Spin(kOptProgNumeroDe).SetPosition(from);
        h.Spin(kOptProgNumeroA).SetPosition(to);
        h.Spin(kOptProgDepart).SetPosition(start);
        h.Spin(kOptProgFin).SetPosition(end);
        h.Click(kOptProgAjouter);
    }
    // The names box as the user picks from it: focus first, then the choice.
    void PickName(const std::string& name) {
        HWND box = h.Item(kOptProgTitreBox);
        SetFocus(box);
        const int at =
            static_cast<int>(SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(Widen(name).c_str())));
        ASSERT_GE(at, 0) << name;
        h.Choose(kOptProgTitreBox, at);
    }
    std::string Key(const std::string& section, const std::string& key) {
        return h.store.ReadText(section, key, "<none>", true);
    }
    int SimTrack() { return static_cast<int>(h.sim.User(kQueryCurrent)); }
    int SimMs() { return static_cast<int>(h.sim.User(kQueryTime, 0)); }
    // Stores programme `name` with one whole-track entry per file of `tracks`.
    void StoreProgramme(const std::string& name, std::vector<int> tracks) {
        std::vector<TProg> entries;
        for (int n : tracks)
            entries.push_back({n, 0, 0, std::string(FileNamePart(h.link.FichierTitre(n)))});
        WriteProgramme(h.store, name, entries);
    }
    OptionsHarness h;
};

TEST_F(ProgrammePageTest, ARangeWithStartAndEndIsStoredAndReplayedFromTheBar) {
    h.Start();
    for (int track = 3; track <= 6; ++track)
        h.sim.SetLength(track, 300);
    ASSERT_TRUE(h.OpenOn(kPageProgramme));
    ASSERT_EQ(Rows(), 0);
    AddRange(3, 5, 30, 120);
    ASSERT_EQ(Rows(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(Cell(r, 0), std::to_string(3 + r));
        EXPECT_EQ(Cell(r, 1), FileNamePart(h.link.FichierTitre(3 + r)));
        EXPECT_EQ(Cell(r, 2), "00 m 30 s");
        EXPECT_EQ(Cell(r, 3), "02 m 00 s");
    }
    h.Shot("programme");
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    const std::string s = ProgrammeSection("PlayList");
    EXPECT_EQ(Key(s, "ProgNb"), "3");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Key(s, "ProgD " + std::to_string(i)), "30");
        EXPECT_EQ(Key(s, "ProgF " + std::to_string(i)), "120");
    }
    EXPECT_NE(h.FileText().find("ProgF 2=120"), std::string::npos); // Ok wrote the file

    // Replay from the bar: track 3 at 0:30, then track 4 once 2:00 is passed.
    ASSERT_TRUE(h.Loop([&] { return h.sim.User(kQueryState) == 1; }));
    h.bar.dispatcher.ExecuterAction(LECTUREPROGRAMME, false);
    ASSERT_TRUE(h.Loop([&] { return SimTrack() == 2 && SimMs() >= 30000; }))
        << SimTrack() << " " << SimMs();
    EXPECT_LT(SimMs(), 40000);
    h.sim.SetPosition(119000);
    h.Settle(700);
    EXPECT_EQ(SimTrack(), 2); // still inside the window
    h.sim.SetPosition(121000);
    ASSERT_TRUE(h.Loop([&] { return SimTrack() == 3; }, 3000));
    EXPECT_GE(SimMs(), 30000);
}

TEST_F(ProgrammePageTest, ATypedNameJoinsTheNamesWithItsSection) {
    h.Start();
    StoreProgramme("PlayList", {1});
    ASSERT_TRUE(h.OpenOn(kPageProgramme));
    SetWindowTextW(h.Item(kOptProgTitreBox), L"Soirée");
    AddRange(7, 8, 0, 0);
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_EQ(ReadProgrammeNames(h.store), (std::vector<std::string>{"PlayList", "Soirée"}));
    const std::string s = ProgrammeSection("Soirée");
    EXPECT_EQ(Key(s, "ProgNb"), "3"); // the row shown, and the two added
    EXPECT_EQ(Key(s, "ProgN 1"), "7");
    EXPECT_EQ(h.option.ProgTitre, "Soirée");
    EXPECT_EQ(Key(ProgrammeSection("PlayList"), "ProgNb"), "1");
}

TEST_F(ProgrammePageTest, SwitchingNamesSavesTheShownListAndLeavesReplayAlone) {
    h.Start();
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
    PickName("Soir");
    // The edited list went to the file under its own name; "Soir" is shown.
    EXPECT_EQ(Key(ProgrammeSection("Matin"), "ProgNb"), "3");
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), "8");
    // Replay still plays "Matin" as it was: its next entry is track 2.
    EXPECT_EQ(h.option.ProgTitre, "Matin");
    ASSERT_EQ(h.option.Programme.size(), 2u);
    h.sim.Command(kCmdNext); // a track change moves replay on, to its last entry
    ASSERT_TRUE(h.Loop([&] { return !h.option.ProgLecture; }));
    h.Settle(300);
    EXPECT_EQ(SimTrack(), 1);

    // Apply naming the other programme starts it.
    h.Click(kOptAppliquer);
    EXPECT_EQ(h.option.ProgTitre, "Soir");
    ASSERT_TRUE(h.Loop([&] { return SimTrack() == 7; }));
    h.Click(IDCANCEL);
    ASSERT_TRUE(h.Closed());
}

TEST_F(ProgrammePageTest, RecordingUnchecksReplayAndDefaultsEmptyThePage) {
    h.Start();
    StoreProgramme("Matin", {1, 2});
    WriteProgrammeNames(h.store, {"Matin", "", "MATIN"});
    h.option.ProgTitre = "Matin";
    h.option.ProgLecture = true;
    ASSERT_TRUE(h.OpenOn(kPageProgramme));
    EXPECT_EQ(SendMessageW(h.Item(kOptProgTitreBox), CB_GETCOUNT, 0, 0), 1);
    EXPECT_TRUE(h.Checked(kOptProgLecture));
    h.Click(kOptProgEnreg);
    EXPECT_TRUE(h.Checked(kOptProgEnreg));
    EXPECT_FALSE(h.Checked(kOptProgLecture));
    h.Click(kOptProgLecture);
    EXPECT_TRUE(h.Checked(kOptProgEnreg)); // replay leaves recording as it is

    h.Click(kOptDefaut);
    EXPECT_FALSE(h.Checked(kOptProgEnreg));
    EXPECT_FALSE(h.Checked(kOptProgLecture));
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(h.Text(kOptProgTitreBox), "PlayList");
    EXPECT_EQ(SendMessageW(h.Item(kOptProgTitreBox), CB_GETCOUNT, 0, 0), 0);
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_EQ(ReadProgrammeNames(h.store), std::vector<std::string>{"PlayList"});
    EXPECT_FALSE(h.option.ProgLecture);
}

TEST_F(ProgrammePageTest, ACountAboveTheStoredRowsOpensAndSavesClean) {
    StoreProgramme("PlayList", {4, 6});
    h.store.WriteInteger(ProgrammeSection("PlayList"), "ProgNb", 50, true);
    h.Start();
    EXPECT_EQ(h.option.Programme.size(), 2u);
    ASSERT_TRUE(h.OpenOn(kPageProgramme));
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(1, 0), "6");
    h.Click(IDCANCEL);
    h.option.Save(h.store);
    EXPECT_EQ(Key(ProgrammeSection("PlayList"), "ProgNb"), "2");
}

TEST_F(ProgrammePageTest, TheKeyboardPageChoosesAmongTheNamesThePageHolds) {
    h.Start();
    WriteProgrammeNames(h.store, {"Matin", "Soir"});
    ASSERT_TRUE(h.OpenOn(kPageProgramme));
    SetWindowTextW(h.Item(kOptProgTitreBox), L"Soir");
    h.Command(kMnuProgSupprimer); // "Soir" leaves the names
    h.Click(kOptPageButton + kPageClavier);
    h.Click(kOptClaActiver);
    h.Choose(kOptClaAction, LECTUREPROGRAMME);
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
    h.Click(kOptClaParcourir);
    chooser.Join();
    EXPECT_TRUE(chooser.found);
    EXPECT_EQ(offered, std::vector<std::string>{"Matin"});
}

} // namespace
} // namespace pilotune::testing
