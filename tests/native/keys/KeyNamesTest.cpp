// Key names and key texts: the texts are what the settings file stores for a
// shortcut, so every one must come out exactly as the user's file has it.
#include "components/KeyNames.h"

#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "settings/Codecs.h"

using namespace pilotune;

namespace {

// The named keys, written out independently of the program's table.
const std::map<int, std::string> kExpected = {{1, "Bouton gauche souris"},
                                              {2, "Bouton droit souris"},
                                              {4, "Bouton central souris"},
                                              {8, "RET.ARR"},
                                              {9, "TAB"},
                                              {12, "Effacer"},
                                              {13, "Entrée"},
                                              {16, "Shift"},
                                              {17, "Ctrl"},
                                              {18, "Alt"},
                                              {19, "Pause"},
                                              {20, "Cap Lock"},
                                              {27, "Echap"},
                                              {32, "Espace"},
                                              {33, "Page  Précédente"},
                                              {34, "Page  Suivante"},
                                              {35, "Touche FIN"},
                                              {36, "Home"},
                                              {37, "Flèche Gauche"},
                                              {38, "Flèche Haut"},
                                              {39, "Flèche Droite"},
                                              {40, "Flèche Bas"},
                                              {41, "Touche SELECT"},
                                              {43, "Touche EXÉCUTE"},
                                              {44, "Touche IMPRIME ECRAN"},
                                              {45, "Inser"},
                                              {46, "Suppr"},
                                              {47, "Touche AIDE"},
                                              {48, "à"},
                                              {49, "&"},
                                              {50, "é"},
                                              {51, "\""},
                                              {52, "'"},
                                              {53, "("},
                                              {54, "-"},
                                              {55, "è"},
                                              {56, "_"},
                                              {57, "ç"},
                                              {65, "A"},
                                              {77, "M"},
                                              {90, "Z"},
                                              {91, "Windows gauche"},
                                              {92, "Windows droit"},
                                              {93, "Menu Contextuel"},
                                              {95, "Touche Veille"},
                                              {96, "Pade 0"},
                                              {101, "Pade 5"},
                                              {105, "Pade 9"},
                                              {106, "Pade *"},
                                              {107, "Pade +"},
                                              {108, "Pade Entrée"},
                                              {109, "Pade -"},
                                              {110, "Pade ."},
                                              {111, "Pade /"},
                                              {112, "Touche F1"},
                                              {116, "Touche F5"},
                                              {121, "Touche F10"},
                                              {127, "Touche F16"},
                                              {144, "VERR.NUM"},
                                              {145, "Arrét défil"},
                                              {160, "Shift gauche"},
                                              {161, "Shift droit"},
                                              {162, "Ctrl gauche"},
                                              {163, "Ctrl droit"},
                                              {164, "Alt"},
                                              {165, "Alt Gr"},
                                              {166, "Touche Précédent"},
                                              {167, "Touche Suivant"},
                                              {168, "Touche Actualiser"},
                                              {169, "Touche Arrêter"},
                                              {170, "Touche Recherche"},
                                              {171, "Touche Favoris"},
                                              {172, "Touche Démarrage"},
                                              {173, "Touche Muet"},
                                              {174, "Touche Volume -"},
                                              {175, "Touche Volume +"},
                                              {176, "Touche P.Suivant"},
                                              {177, "Touche P.Précédent"},
                                              {178, "Touche Stop"},
                                              {179, "Touche Lec/Pause"},
                                              {180, "Touche Courrier"},
                                              {181, "Touche Media"},
                                              {182, "Touche Poste de travail"},
                                              {183, "Touche Calculatrice"},
                                              {184, "Veille"},
                                              {186, "$ £"},
                                              {187, "= +"},
                                              {188, ", ?"},
                                              {190, "; ."},
                                              {191, ": /"},
                                              {192, "ù %"},
                                              {219, ") °"},
                                              {220, "* µ"},
                                              {221, "^ ¨"},
                                              {222, "²"},
                                              {223, "! §"},
                                              {226, "< >"}};

bool Named(int code) {
    return kExpected.count(code) || (code >= 65 && code <= 90) || (code >= 96 && code <= 105) ||
           (code >= 112 && code <= 127);
}

// Key states for the namer: the keys in `held` are down.
struct Clavier {
    std::set<int> held;
    NommeurTouches nommeur{[this](int vk) { return held.count(vk) > 0; }};
    std::string Down(int key, int flags = 0) { return nommeur.Traiter(key, flags, true).text; }
    std::string Up(int key, int flags = 0) { return nommeur.Traiter(key, flags, false).text; }
};

} // namespace

TEST(NomTouche, EveryNamedKeyHasItsExactFrenchName) {
    for (const auto& [code, name] : kExpected)
        EXPECT_EQ(NomTouche(code), name) << "code " << code;
    for (int c = 65; c <= 90; ++c)
        EXPECT_EQ(NomTouche(c), std::string(1, char(c)));
    for (int c = 96; c <= 105; ++c)
        EXPECT_EQ(NomTouche(c), "Pade " + std::to_string(c - 96));
    for (int c = 112; c <= 127; ++c)
        EXPECT_EQ(NomTouche(c), "Touche F" + std::to_string(c - 111));
}

TEST(NomTouche, EveryOtherCodeIsASpecialKeyNamedByItsLowByte) {
    EXPECT_EQ(NomTouche(14), std::string("Touche spécial \x0E"));
    EXPECT_EQ(NomTouche(300), "Touche spécial ,"); // 300 = 256 + 44
    EXPECT_EQ(NomTouche(0), std::string("Touche spécial \0", 17));
    EXPECT_EQ(NomTouche(0x1C2), "Touche spécial Â"); // low byte 0xC2 read as Windows-1252
    EXPECT_EQ(NomTouche(128), "Touche spécial €");
    int special = 0;
    for (int c = 0; c < 256; ++c) {
        if (Named(c)) continue;
        ++special;
        EXPECT_EQ(NomTouche(c).rfind("Touche spécial ", 0), 0u) << "code " << c;
    }
    EXPECT_EQ(special, 256 - 139); // 87 single names, 26 letters, 10 pad digits, 16 F keys
}

TEST(NomTouche, SpecialKeysUseTheGivenAnsiCodePage) {
    struct Latin : TextCodec {
        std::string Decode(std::string_view b) const override { return "<" + std::string(b) + ">"; }
        std::string Encode(std::string_view u) const override { return std::string(u); }
    } latin;
    EXPECT_EQ(NomTouche(0x141, &latin), "Touche spécial <A>");
    EXPECT_EQ(NomTouche(65, &latin), "A");
}

TEST(KeyText, ModifierPrefixesComeInTheirFixedOrderWhateverTheyAreHeldWith) {
    EXPECT_EQ(PrefixesModificateurs(0), "");
    EXPECT_EQ(PrefixesModificateurs(ssShift | ssWindows), "Windows + Shift + ");
    EXPECT_EQ(PrefixesModificateurs(0x3F),
              "Windows + Menu Contextuel + Alt Gr + Ctrl + Alt + Shift + ");

    Clavier k;
    k.held = {17};
    EXPECT_EQ(k.Down(116), "Ctrl + Touche F5");
    k.held = {91, 16};
    EXPECT_EQ(k.Down('A'), "Windows + Shift + A");
    k.held = {92};
    EXPECT_EQ(k.Down('A'), "Windows + A"); // right Windows key counts too
    k.held = {165, 17, 18};
    EXPECT_EQ(k.Down('E'), "Alt Gr + Ctrl + Alt + E");
    k.held = {93};
    EXPECT_EQ(k.Down(9), "Menu Contextuel + TAB");
    k.held = {};
    EXPECT_EQ(k.Down(179), "Touche Lec/Pause");
    k.held = {160, 162, 164}; // left/right codes alone are not the modifiers
    EXPECT_EQ(k.Down('B'), "B");
}

TEST(KeyText, AModifierKeyAloneNamesOnlyTheModifiersHeld) {
    Clavier k;
    k.held = {17};
    EXPECT_EQ(k.Down(162), "Ctrl");
    k.held = {};
    EXPECT_EQ(k.Down(162), "");
    k.held = {17, 16};
    EXPECT_EQ(k.Down(160), "Ctrl + Shift");
    k.held = {91};
    EXPECT_EQ(k.Down(91), "Windows");
    EXPECT_TRUE(EstToucheModificatrice(93) && EstToucheModificatrice(165));
    EXPECT_FALSE(EstToucheModificatrice(94) || EstToucheModificatrice(166) ||
                 EstToucheModificatrice(15));
}

TEST(KeyText, AReleaseIsNamedWithTheSetOfThePreviousEvent) {
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
}

TEST(KeyText, FlagsFrom130KeepTheSetAndAlwaysNameTheKey) {
    Clavier k;
    k.held = {17};
    EXPECT_EQ(k.Down('A'), "Ctrl + A");
    k.held = {};
    EXPECT_EQ(k.Down('A', 130), "Ctrl + A"); // not refreshed
    EXPECT_EQ(k.nommeur.Modificateurs(), ssCtrl);
    EXPECT_EQ(k.Down(162, 200), "Ctrl + Ctrl gauche");
    EXPECT_EQ(k.Up(162, 0x90), "Ctrl + Ctrl gauche"); // injected release: not refreshed
    EXPECT_EQ(k.Down('A', 129), "A");                 // 129 still refreshes
}
