// Key names and key texts: the texts are what the settings file stores for a
// shortcut, so the ones users have in their files must come out exactly.
#include "components/KeyNames.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

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
} // namespace

TEST(NomTouche, NamesAsStoredInSettingsFilesAndSpecialKeysByTheirLowByte) {
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
        {179, "Touche Lec/Pause"},
        {226, "< >"},
        {14, "Touche spécial \x0E"},
        {300, "Touche spécial ,"}, // 300 = 256 + 44
        {0, std::string("Touche spécial \0", 17)},
        {0x1C2, "Touche spécial Â"}, // low byte 0xC2 read as Windows-1252
        {128, "Touche spécial €"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NomTouche(c.code), c.name) << "code " << c.code;
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
    EXPECT_EQ(PrefixesModificateurs(0x3F),
              "Windows + Menu Contextuel + Alt Gr + Ctrl + Alt + Shift + ");
    const struct {
        std::set<int> held;
        int key;
        std::string text;
    } cases[] = {
        {{17}, 116, "Ctrl + Touche F5"},
        {{91, 16}, 'A', "Windows + Shift + A"},
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
