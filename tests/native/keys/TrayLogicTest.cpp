// The tray icon's decisions: the animation order, the tip, the mouse reactions.
#include "components/PiconeBarreTache.h"

#include <vector>

#include <gtest/gtest.h>

using namespace pilotune;

namespace {

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

// A plain order cycles on the real notification area; here, its odd entries.
TEST(TrayAnimation, AnOrderCyclesFromItsSecondEntry) {
    OrdreAnimation o;
    o.Definir("3,,7,1"); // an empty entry is image 0; beyond the list: the last image
    EXPECT_EQ(o.NbEntrees(), 4);
    EXPECT_EQ(Ticks(o, 0, 5, 4), (std::vector<int>{0, 4, 1, 3}));

    o.Definir("99999999999999,1");
    EXPECT_EQ(Ticks(o, 0, 3, 2), (std::vector<int>{1, 0}));
    o.Definir(",");
    EXPECT_EQ(o.NbEntrees(), 2);
}

TEST(TrayAnimation, WithoutAnOrderEveryImageComesInTurn) {
    OrdreAnimation o;
    EXPECT_EQ(o.NbEntrees(), 0);
    EXPECT_EQ(Ticks(o, 0, 3, 5), (std::vector<int>{1, 2, 0, 1, 2}));
    EXPECT_EQ(Ticks(o, 7, 3, 2), (std::vector<int>{0, 1})); // from an image out of the list
    EXPECT_EQ(o.Suivante(0, 0), -1);                        // an empty list shows nothing
    o.Definir("1,0");
    EXPECT_EQ(o.Suivante(0, 0), -1);
}

TEST(TrayAnimation, AWrongCharacterIsRefusedAndTheOrderKept) {
    OrdreAnimation o;
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

// The cut of ASCII tips is checked on the real notification area.
TEST(TrayTip, TheTipKeepsTheFirst63CharactersNotBytes) {
    std::string accents;
    for (int i = 0; i < 70; ++i)
        accents += "é";
    std::string expected;
    for (int i = 0; i < 63; ++i)
        expected += "é";
    EXPECT_EQ(TexteBulle(accents), expected);
}

TEST(TrayMouse, EachMouseMessageRaisesItsEventAndThePressesAct) {
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
        EXPECT_EQ(c.evenement, r.event) << r.msg;
        EXPECT_EQ(c.bouton, r.button) << r.msg;
        EXPECT_EQ(c.shift, r.shift) << r.msg;
        EXPECT_EQ(c.montrerApplication, r.show) << r.msg;
        EXPECT_EQ(c.ouvrirMenu, r.menu) << r.msg;
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
}
