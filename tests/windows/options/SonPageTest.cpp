// The page "Son et affichage" in the real program: reached by a real click
// on its button, every kind of its controls changed by real input, then Ok,
// Défaut, and stored values too damaged to use shown as their defaults.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

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
using Shown = std::tuple<std::string, std::string, bool, bool, LRESULT, std::string, std::string>;

TEST(SonPageTest, RealInputOnEachKindOfControlThenOkDefautAndDamagedValues) {
    OptionsHarness h;
    h.store.WriteText(kSectionOption, "PasVolume", "beaucoup", true);
    h.store.WriteInteger(kSectionOption, "PasSecondes", 20, true);
    h.store.WriteInteger(kSectionOption, "AfficheCoin", 7, true);
    h.Start();
    const auto shown = [&] {
        const LRESULT coin = SendMessageW(h.Item(kCoin), CB_GETCURSEL, 0, 0);
        return Shown(h.Text(kPasVolume), h.Text(kPasSecondes), h.Checked(kAfficheVolume),
                     h.Checked(kAfficheTitre), coin, h.Text(kFichier), h.Text(kModele));
    };
    const auto click = [](HWND w) { MouseAt(w, 5, 5, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP); };
    ASSERT_TRUE(h.OpenOn());
    ASSERT_TRUE(MakeForeground(h.Form()));
    click(h.PageButton(kPageSon));
    ASSERT_TRUE(h.Loop([&] { return h.Caption() == "Option  -  Son et affichage"; }));
    EXPECT_EQ(shown(), Shown("005 %", "0020 s", true, false, 3, "", "{artist} - {title}"));

    click(h.Item(kPasVolume));
    PressKey(VK_UP);
    click(h.Item(kAfficheTitre));
    click(h.Item(kCoin)); // opens the list
    PressKey(VK_HOME);
    PressKey(VK_RETURN);
    click(h.Item(kModele));
    PressKey(VK_END);
    for (int k = 0; k < 10; ++k) // " - {title}" goes
        PressKey(VK_BACK);
    // The file through the save dialog: a name typed without its extension.
    const std::wstring typed = (std::filesystem::path(h.ini).parent_path() / L"en cours").wstring();
    const std::string file = Narrow(typed) + ".txt";
    ModalDriver chooser(L"#32770", [&](HWND box) {
        HWND name = GetDlgItem(box, 1148); // the file name box
        SetWindowTextW(name ? name : GetDlgItem(box, 1152), typed.c_str());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    click(h.Item(kParcourir));
    const Shown changed("006 %", "0020 s", true, true, 0, file, "{artist}");
    EXPECT_TRUE(h.Loop([&] { return shown() == changed; }));

    // Ok hands back what the user changed, not the page's copy of the rest.
    h.option.AfficheVolume = false;
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    const COption& o = h.option;
    EXPECT_EQ(std::tuple(o.VolumeStep, o.SeekStep, o.AfficheVolume, o.AfficheTitre, o.AfficheCoin,
                         o.FichierEnCours, o.ModeleEnCours),
              std::tuple(6, 20, false, true, 0, file, std::get<6>(changed)));
    EXPECT_NE(h.FileText().find("PasVolume=6\r\n"), std::string::npos); // no longer damaged
    // The file named takes the current track at once, not at the next one.
    EXPECT_TRUE(
        h.Loop([&] { return std::filesystem::exists(std::filesystem::path(typed + L".txt")); }));
    // The new corner holds for the next display at once.
    h.bar.state.services.TrackChanged();
    RECT r{};
    ASSERT_TRUE(GetWindowRect(FindWindowW(kAffichageClass, nullptr), &r));
    EXPECT_LT(r.right, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_LT(r.bottom, GetSystemMetrics(SM_CYSCREEN) / 2);

    // Défaut shows the defaults and applies nothing yet.
    ASSERT_TRUE(h.OpenOn());
    h.Click(kDefaut);
    EXPECT_EQ(shown(), Shown("005 %", "0005 s", true, false, 3, "", "{artist} - {title}"));
    EXPECT_EQ(o.VolumeStep, 6);
    h.Click(IDCANCEL);
    ASSERT_TRUE(h.Closed());
}

} // namespace
} // namespace pilotune::testing
