// The keyboard page in the real program: its list, its defaults, and the key
// box fed by the bar's real keyboard hook.
#include <gtest/gtest.h>

#include "OptionsHarness.h"
#include "player/Winamp.h"
#include "schedule/Action.h"

namespace pilotune::testing {
namespace {

struct ClavierPageTest : ::testing::Test {
    HWND List() { return h.Item(kOptClaList); }
    int Rows() { return h.Rows(kOptClaList); }
    std::string Cell(int row, int column) { return h.Cell(kOptClaList, row, column); }
    bool RowChecked(int row) { return h.RowChecked(kOptClaList, row); }
    int NextSent() const { return h.Logged(WM_COMMAND, kCmdNext, 0); }
    OptionsHarness h;
};

TEST_F(ClavierPageTest, DefaultRefillsTheFourBindingsAndLeavesTheOtherPagesAlone) {
    h.Start();
    h.option.Bindings = {{false, 0, "Touche F1", ""}, {true, 2, "Touche F2", "C:\\a.exe"}};
    h.option.Transparent = 40;
    ASSERT_TRUE(h.OpenOn(kPageClavier));
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(1, 0), "Exécuter : C:\\a.exe");
    EXPECT_FALSE(RowChecked(0));
    h.Click(kOptDefaut);
    ASSERT_EQ(Rows(), 4);
    const char* keys[] = {"Touche P.Précédent", "Touche P.Suivant", "Touche Lec/Pause",
                          "Touche Stop"};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(Cell(r, 1), keys[r]) << r;
        EXPECT_TRUE(RowChecked(r)) << r;
    }
    EXPECT_EQ(h.Text(kOptTransparent), "040 %");
    EXPECT_TRUE(h.Enabled(kOptAppliquer));
    h.Click(kOptAppliquer);
    ASSERT_EQ(h.option.Bindings.size(), 4u);
    EXPECT_EQ(h.option.Bindings[1].Action, 7);
    EXPECT_EQ(h.option.Bindings[1].Touche, "Touche P.Suivant");
    EXPECT_EQ(h.option.Transparent, 40);
}

TEST_F(ClavierPageTest, DoubleClickTakesTheRowBackIntoTheFieldsAndAjouterAddsItAgain) {
    h.Start();
    h.option.Bindings = {{true, 2, "Touche F2", "C:\\a.exe"}};
    ASSERT_TRUE(h.OpenOn(kPageClavier));
    h.SelectRow(kOptClaList, 0);
    h.Notify(kOptClaList, NM_DBLCLK, 0);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(h.Text(kOptClaTouche), "Touche F2");
    EXPECT_EQ(SendMessageW(h.Item(kOptClaAction), CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(IsWindowVisible(h.Item(kOptClaParcourir)));
    // Adding it back gives the same binding, checked.
    h.Click(kOptClaAjouter);
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 0), "Exécuter : C:\\a.exe");
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    ASSERT_EQ(h.option.Bindings.size(), 1u);
    EXPECT_EQ(h.option.Bindings[0].Chemin, "C:\\a.exe");
    EXPECT_EQ(h.store.ReadText(kSectionClavier, "cbxClaActionChemin2", "", true), "C:\\a.exe");
    EXPECT_NE(h.FileText().find("Touche 0=Touche F2"), std::string::npos);
}

TEST_F(ClavierPageTest, CapturedKeyGoesToTheBoxAndLeavingItRestoresTheHook) {
    h.Start();
    h.option.ClavierActiver = false; // shortcuts off; the default bindings are there
    h.app.ApplySettings();
    ASSERT_TRUE(h.OpenOn(kPageClavier));
    ASSERT_TRUE(MakeForeground(h.Form()));
    h.Click(kOptClaActiver); // the page on, the shortcuts not applied yet
    SetFocus(h.Item(kOptClaTouche));
    ASSERT_TRUE(h.option.Capture);
    const int before = NextSent();
    PressKey(VK_MEDIA_NEXT_TRACK);
    ASSERT_TRUE(h.Loop([&] { return h.Text(kOptClaTouche) == "Touche P.Suivant"; }));
    EXPECT_TRUE(h.Enabled(kOptAppliquer));
    h.Settle(300);
    EXPECT_EQ(NextSent(), before);
    // Out of the box, the shortcuts are still off: the key runs nothing.
    SetFocus(List());
    PressKey(VK_MEDIA_NEXT_TRACK);
    h.Settle(500);
    EXPECT_EQ(NextSent(), before);
    EXPECT_FALSE(h.option.Capture);
}

TEST_F(ClavierPageTest, BindingsWithoutKeyTextAreNotShownAndOkDropsThem) {
    h.Start();
    h.option.Bindings.assign(300, TCla{true, 5, "", ""});
    h.option.Bindings.push_back({true, 99, "Touche F3", ""}); // an action out of the list
    h.store.WriteInteger(kSectionClavier, "cbxClaAction", 400, true);
    ASSERT_TRUE(h.OpenOn(kPageClavier));
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 1), "Touche F3");
    EXPECT_EQ(SendMessageW(h.Item(kOptClaAction), CB_GETCURSEL, 0, 0), 0);
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    ASSERT_EQ(h.option.Bindings.size(), 1u);
    EXPECT_EQ(h.store.ReadInteger(kSectionClavier, "ClavierNb", 0, true), 1);
}

TEST_F(ClavierPageTest, AnExecuteBindingWithAChosenFileIsStoredAndItsKeyRunsIt) {
    const std::filesystem::path folder = h.ini.parent_path();
    const std::filesystem::path marker = folder / "executed.txt";
    const std::filesystem::path script = folder / "executer.bat";
    std::filesystem::remove(marker);
    std::ofstream(script) << "@echo ok> \"" << marker.string() << "\"\r\n";
    h.Start();
    h.option.Bindings.clear();
    h.option.ClavierActiver = true;
    h.app.ApplySettings();
    ASSERT_TRUE(h.OpenOn(kPageClavier));
    h.Choose(kOptClaAction, EXECUTER);
    EXPECT_TRUE(IsWindowVisible(h.Item(kOptClaParcourir)));
    SetWindowTextW(h.Item(kOptClaTouche), L"Touche F9");
    {
        // "Ajouter" without a file opens the file dialog; the user types the file.
        const std::wstring path = script.wstring();
        ModalDriver chooser(L"#32770", [path](HWND box) {
            HWND name = GetDlgItem(box, 1148); // the file name box
            if (!name) name = GetDlgItem(box, 1152);
            SetWindowTextW(name, path.c_str());
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        h.Click(kOptClaAjouter);
        EXPECT_TRUE(chooser.found);
    }
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 0), "Exécuter : " + Narrow(script.wstring()));
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_NE(h.FileText().find("Touche 0=Touche F9"), std::string::npos);
    EXPECT_NE(h.FileText().find("Chemin 0=" + Narrow(script.wstring())), std::string::npos);
    // The key, pressed for real, runs the file through the hook.
    PressKey(VK_F9);
    EXPECT_TRUE(h.Loop([&] { return std::filesystem::exists(marker); }, 10000));
}

} // namespace
} // namespace pilotune::testing
