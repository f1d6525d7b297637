// Key texts are what settings files store for a shortcut: they must come out
// exactly (the usual ones come from real keys in the Windows hook tests).
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "components/Bindings.h"
#include "components/KeyNames.h"
#include "components/PiconeBarreTache.h"
#include "settings/Codecs.h"

using namespace pilotune;

namespace {
// Key states for the namer: the keys in `held` are down.
struct Clavier {
    std::set<int> held;
    NommeurTouches nommeur{[this](int vk) { return held.count(vk) > 0; }};
    std::string Down(int key, int flags = 0) { return nommeur.Traiter(key, flags, true).text; }
    std::string Up(int key, int flags = 0) { return nommeur.Traiter(key, flags, false).text; }
};
std::vector<int> Ticks(OrdreAnimation& o, int start, int images, int n) {
    std::vector<int> shown;
    int last = start;
    for (int i = 0; i < n; ++i) {
        last = o.Suivante(last, images);
        shown.push_back(last);
    }
    return shown;
}

} // namespace

TEST(NomTouche, NamesAsStoredInSettingsFilesAndSpecialKeysByTheirLowByteInTheGivenCodePage) {
    const struct {
        int code;
        std::string name;
    } cases[] = {
        {33, "Page  Précédente"}, // two spaces
        {13, "Entrée"},
        {48, "à"},
        {65, "A"},
        {90, "Z"},
        {96, "Pade 0"},
        {108, "Pade Entrée"},
        {112, "Touche F1"},
        {127, "Touche F16"},
        {145, "Arrét défil"},
        {164, "Alt"}, // left Alt is named like Alt
        {165, "Alt Gr"},
        {226, "< >"},
        {14, "Touche spécial \x0E"},
        {300, "Touche spécial ,"}, // 300 = 256 + 44
        {0, std::string("Touche spécial \0", 17)},
        {0x1C2, "Touche spécial Â"}, // low byte 0xC2 read as Windows-1252
        {128, "Touche spécial €"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NomTouche(c.code), c.name) << "code " << c.code;

    struct Latin : TextCodec {
        std::string Decode(std::string_view b) const override { return "<" + std::string(b) + ">"; }
        std::string Encode(std::string_view u) const override { return std::string(u); }
    } latin;
    EXPECT_EQ(NomTouche(0x141, &latin), "Touche spécial <A>");
    EXPECT_EQ(NomTouche(65, &latin), "A");
}

TEST(KeyText, ModifiersComeInTheirOrderAndAReleaseOrFlagsFrom130KeepThePreviousSet) {
    EXPECT_EQ(PrefixesModificateurs(0), "");
    EXPECT_EQ(PrefixesModificateurs(0x3F),
              "Windows + Menu Contextuel + Alt Gr + Ctrl + Alt + Shift + ");
    const struct {
        std::set<int> held;
        int key;
        std::string text;
    } cases[] = {
        {{92}, 'A', "Windows + A"}, // right Windows key counts too
        {{165, 17, 18}, 'E', "Alt Gr + Ctrl + Alt + E"},
        {{93}, 9, "Menu Contextuel + TAB"},
        {{160, 162, 164}, 'B', "B"}, // left/right codes alone are not the modifiers
        {{17}, 162, "Ctrl"},         // a modifier key alone names the modifiers held
        {{}, 162, ""},
        {{17, 16}, 160, "Ctrl + Shift"},
        {{91}, 91, "Windows"},
    };
    for (const auto& c : cases) {
        Clavier k;
        k.held = c.held;
        EXPECT_EQ(k.Down(c.key), c.text) << c.key;
    }
    EXPECT_TRUE(EstToucheModificatrice(93) && EstToucheModificatrice(165));
    EXPECT_FALSE(EstToucheModificatrice(94) || EstToucheModificatrice(166) ||
                 EstToucheModificatrice(15));

    // A release is named with the set of the previous event.
    Clavier k;
    k.held = {17};
    EXPECT_EQ(k.Down(116), "Ctrl + Touche F5");
    k.held = {}; // Ctrl already up when F5 comes up
    const EvenementTouche up = k.nommeur.Traiter(116, 0, false);
    EXPECT_EQ(up.text, "Ctrl + Touche F5");
    EXPECT_FALSE(up.pressed);
    EXPECT_EQ(up.modifiers, 0); // the events carry the refreshed set
    EXPECT_EQ(k.Up(116), "Touche F5");

    k.held = {17, 16};
    EXPECT_EQ(k.Down(17), "Ctrl + Shift");
    k.held = {16};
    EXPECT_EQ(k.Up(17), "Ctrl + Shift"); // the previous set, then the trailing " + " cut

    k.held = {17}; // flags from 130 keep the set and always name the key
    EXPECT_EQ(k.Down('A'), "Ctrl + A");
    k.held = {};
    EXPECT_EQ(k.Down('A', 130), "Ctrl + A"); // not refreshed
    EXPECT_EQ(k.nommeur.Modificateurs(), ssCtrl);
    EXPECT_EQ(k.Down(162, 200), "Ctrl + Ctrl gauche");
    EXPECT_EQ(k.Up(162, 0x90), "Ctrl + Ctrl gauche"); // injected release: not refreshed
    EXPECT_EQ(k.Down('A', 129), "A");                 // 129 still refreshes
}

TEST(Bindings, EveryActiveExactMatchRunsInIndexOrderWhateverTheActionDoesToTheTable) {
    COption option;
    option.Bindings = {
        {true, 2, "Ctrl + Touche F5", "C:\\a.exe"}, {true, 4, "Touche F5", ""},
        {false, 6, "Ctrl + Touche F5", ""},         {true, 16, "Ctrl + Touche F5", "Soirée"},
        {true, 7, "ctrl + touche f5", ""},          {true, 8, "Ctrl + Touche F5 ", ""}};
    const auto table = option.Bindings;
    std::vector<AppelRaccourci> ran;
    Raccourcis keys(option, [&](int a, bool flag, const std::string& p) {
        EXPECT_FALSE(flag);
        ran.push_back({a, p});
        option.Bindings.clear(); // as an options dialog applied from inside an action would
    });
    keys.ToucheEnfoncee("Ctrl + Touche F5");
    EXPECT_EQ(ran, (std::vector<AppelRaccourci>{{2, "C:\\a.exe"}, {16, "Soirée"}}));
    ran.clear();
    option.Bindings = table;
    keys.ToucheEnfoncee("Touche F5");
    EXPECT_EQ(ran, (std::vector<AppelRaccourci>{{4, ""}}));
    option.Bindings = table;
    keys.ToucheEnfoncee("");
    // The capture into the options dialog's box runs on the real page; without
    // a box to fill, a capture runs nothing at all.
    keys.CaptureKeys(true, {});
    keys.ToucheEnfoncee("Touche F5");
    EXPECT_EQ(ran.size(), 1u);
}

// A plain order cycles on the real notification area; here, its odd entries.
TEST(TrayAnimation, AnOrderCyclesFromItsSecondEntryNoOrderEveryImageABadOneIsRefused) {
    OrdreAnimation o;
    o.Definir("3,,7,1"); // an empty entry is image 0; beyond the list: the last image
    EXPECT_EQ(o.NbEntrees(), 4);
    EXPECT_EQ(Ticks(o, 0, 5, 4), (std::vector<int>{0, 4, 1, 3}));

    o.Definir("99999999999999,1");
    EXPECT_EQ(Ticks(o, 0, 3, 2), (std::vector<int>{1, 0}));
    o.Definir(",");
    EXPECT_EQ(o.NbEntrees(), 2);

    o.Definir(""); // without an order every image comes in turn
    EXPECT_EQ(o.NbEntrees(), 0);
    EXPECT_EQ(Ticks(o, 0, 3, 5), (std::vector<int>{1, 2, 0, 1, 2}));
    EXPECT_EQ(Ticks(o, 7, 3, 2), (std::vector<int>{0, 1})); // from an image out of the list
    EXPECT_EQ(o.Suivante(0, 0), -1);                        // an empty list shows nothing
    o.Definir("1,0");
    EXPECT_EQ(o.Suivante(0, 0), -1);

    // A wrong character is refused and the order kept.
    o.Definir("0,2,1");
    for (const char* bad : {"0;1", "1, 2", "-1", "a", "1.5"}) {
        try {
            o.Definir(bad);
            ADD_FAILURE() << bad << " accepted";
        } catch (const ExceptionNumsImageLIstAffiche& e) {
            EXPECT_STREQ(e.what(),
                         "Erreur dans PiconeBarreTache : Mauvaise entrée dans "
                         "NumsImageListAffiche. Mettre les numéros des images de la liste "
                         "(ImageList) que vous voulez voir défiler séparés par des virgules");
        }
    }
    EXPECT_EQ(o.Texte(), "0,2,1");
    EXPECT_EQ(o.NbEntrees(), 3);
    o.Definir("");
    EXPECT_EQ(o.NbEntrees(), 0);
}

TEST(TrayMouse, EachMouseMessageRaisesItsEventThePressesActAndTheTipIsCut) {
    using B = BoutonSouris;
    using E = EvenementSouris;
    OptionsClic bar{.aUnMenu = true}; // the bar's choices: left opens, right shows the menu
    struct Row {
        unsigned msg;
        E event;
        B button, shift;
        bool show, menu;
    };
    const Row rows[] = {{512, E::Deplacement, B::Aucun, B::Gauche, false, false},
                        {513, E::Enfonce, B::Gauche, B::Gauche, true, false},
                        {514, E::Relache, B::Gauche, B::Gauche, false, false},
                        {515, E::DoubleClic, B::Aucun, B::Aucun, false, false},
                        {516, E::Enfonce, B::Droit, B::Droit, false, true},
                        {517, E::Relache, B::Droit, B::Droit, false, false},
                        {518, E::Aucun, B::Aucun, B::Aucun, false, false},
                        {519, E::Enfonce, B::Milieu, B::Milieu, false, false},
                        {520, E::Relache, B::Milieu, B::Milieu, false, false},
                        {0x404, E::Aucun, B::Aucun, B::Aucun, false, false}};
    for (const Row& r : rows) {
        const ReactionClic c = ReagirClic(r.msg, bar);
        EXPECT_EQ(std::tie(c.evenement, c.bouton, c.shift, c.montrerApplication, c.ouvrirMenu),
                  std::tie(r.event, r.button, r.shift, r.show, r.menu))
            << r.msg;
    }
    const OptionsClic other{.ouvreSiClicGauche = false,
                            .ouvreSiDblClick = true,
                            .menuSiClicDroit = false,
                            .menuSiClicGauche = true,
                            .aUnMenu = true};
    EXPECT_TRUE(ReagirClic(515, other).montrerApplication);
    EXPECT_FALSE(ReagirClic(513, other).montrerApplication);
    EXPECT_TRUE(ReagirClic(513, other).ouvrirMenu);
    EXPECT_FALSE(ReagirClic(516, other).ouvrirMenu);

    // The tip keeps the first 63 characters, not bytes.
    std::string accents;
    for (int n = 0; n < 63; ++n)
        accents += "é";
    EXPECT_EQ(TexteBulle(accents + "éèàçù€ô"), accents);
}
