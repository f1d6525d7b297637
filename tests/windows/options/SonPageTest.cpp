// The page "Son et affichage" in the real program: reached by a real click
// on its button, every kind of its controls changed by real input, then Ok,
// Défaut, and stored values too damaged to use shown as their defaults.
#include <gtest/gtest.h>

#include <filesystem>

#include "OptionsHarness.h"
#include "windows/FAffichageWin32.h"

namespace pilotune::testing {
namespace {

const Find kPasVolume{"Pas du volume :", nullptr, 0, true},
    kPasSecondes{"Pas du déplacement :", nullptr, 0, true},
    kAfficheVolume{"Afficher le volume à chaque changement"},
    kAfficheTitre{"Afficher le titre à chaque changement de morceau"},
    kCoin{"Coin de l'écran :", nullptr, 0, true}, kFichier{"Fichier :", nullptr, 0, true},
    kParcourir{"..."}, kModele{"Modèle :", nullptr, 0, true};

TEST(SonPageTest, RealInputOnEachKindOfControlThenOkDefautAndDamagedValues) {
    OptionsHarness h;
    h.store.WriteText(kSectionOption, "PasVolume", "beaucoup", true);
    h.store.WriteInteger(kSectionOption, "PasSecondes", 20, true);
    h.store.WriteInteger(kSectionOption, "AfficheCoin", 7, true);
    h.Start();
    ASSERT_TRUE(h.OpenOn());
    ASSERT_TRUE(MakeForeground(h.Form()));
    ClickMiddle(h.PageButton(kPageSon));
    ASSERT_TRUE(h.Loop([&] { return h.Caption() == "Option  -  Son et affichage"; }));
    const auto corner = [&] { return SendMessageW(h.Item(kCoin), CB_GETCURSEL, 0, 0); };
    EXPECT_EQ(h.Text(kPasVolume), "005 %");
    EXPECT_EQ(h.Text(kPasSecondes), "0020 s");
    EXPECT_EQ(corner(), 3);
    EXPECT_EQ(h.Text(kModele), "{artist} - {title}");

    ClickMiddle(h.Item(kPasVolume));
    PressKey(VK_UP);
    ClickMiddle(h.Item(kAfficheTitre));
    ASSERT_TRUE(h.Loop([&] { return h.Checked(kAfficheTitre); }));
    ClickMiddle(h.Item(kCoin)); // opens the list
    PressKey(VK_HOME);
    PressKey(VK_RETURN);
    ClickMiddle(h.Item(kModele));
    PressKey(VK_END);
    TypeText(" ({length})");
    // The file through the save dialog: a name typed without its extension.
    const std::wstring typed = (std::filesystem::path(h.ini).parent_path() / L"en cours").wstring();
    ModalDriver chooser(L"#32770", [&](HWND box) {
        EXPECT_EQ(TextOf(box), "Fichier du titre en cours");
        HWND name = GetDlgItem(box, 1148); // the file name box
        if (!name) name = GetDlgItem(box, 1152);
        SetWindowTextW(name, typed.c_str());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    ClickMiddle(h.Item(kParcourir));
    ASSERT_TRUE(h.Loop([&] { return !h.Text(kFichier).empty(); }));
    chooser.Join();
    ASSERT_TRUE(h.Loop([&] { return h.Text(kModele).ends_with("({length})"); }));
    EXPECT_EQ(h.Text(kPasVolume), "006 %");
    EXPECT_EQ(corner(), 0);

    // Ok hands back what the user changed, not the page's copy of the rest.
    h.option.AfficheVolume = false;
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    const std::string file = Narrow(typed) + ".txt";
    EXPECT_EQ(h.option.VolumeStep, 6);
    EXPECT_EQ(h.option.SeekStep, 20);
    EXPECT_FALSE(h.option.AfficheVolume);
    EXPECT_TRUE(h.option.AfficheTitre);
    EXPECT_EQ(h.option.AfficheCoin, 0);
    EXPECT_EQ(h.option.FichierEnCours, file);
    EXPECT_EQ(h.option.ModeleEnCours, "{artist} - {title} ({length})");
    for (const std::string& line : std::initializer_list<std::string>{
             "PasVolume=6", "PasSecondes=20", "AfficheCoin=0", "AfficheTitre=1",
             "ModeleEnCours={artist} - {title} ({length})", "FichierEnCours=" + file})
        EXPECT_NE(h.FileText().find(line + "\r\n"), std::string::npos) << line;
    // The new corner holds for the next display at once.
    h.bar.state.services.TrackChanged();
    const HWND osd = FindWindowW(kAffichageClass, nullptr);
    ASSERT_TRUE(osd);
    RECT r{};
    GetWindowRect(osd, &r);
    EXPECT_LT(r.right, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_LT(r.bottom, GetSystemMetrics(SM_CYSCREEN) / 2);

    // Défaut shows the defaults and applies nothing yet.
    ASSERT_TRUE(h.OpenOn());
    h.Click(kDefaut);
    EXPECT_EQ(h.Text(kPasVolume), "005 %");
    EXPECT_EQ(h.Text(kPasSecondes), "0005 s");
    EXPECT_TRUE(h.Checked(kAfficheVolume));
    EXPECT_FALSE(h.Checked(kAfficheTitre));
    EXPECT_EQ(corner(), 3);
    EXPECT_EQ(h.Text(kFichier), "");
    EXPECT_EQ(h.Text(kModele), "{artist} - {title}");
    EXPECT_TRUE(h.Enabled(kAppliquer));
    EXPECT_EQ(h.option.VolumeStep, 6);
    h.Click(IDCANCEL);
    ASSERT_TRUE(h.Closed());
}

} // namespace
} // namespace pilotune::testing
