// Key names and key texts, and what a reported key press runs. The texts are
// what the settings file stores for a shortcut, so the ones users have in their
// files must come out exactly (the usual ones come from real keys in the
// Windows hook tests); a press runs the capture of the options dialog, or every
// active binding with exactly that text.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "components/Bindings.h"
#include "components/KeyNames.h"
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
struct Runs {
    COption option;
    std::vector<AppelRaccourci> ran;
    Raccourcis keys{option, [this](int a, bool flag, const std::string& p) {
                        EXPECT_FALSE(flag);
                        ran.push_back({a, p});
                    }};
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

TEST(Bindings, EveryActiveExactMatchRunsInIndexOrder) {
    Runs r;
    r.option.Bindings = {
        {true, 2, "Ctrl + Touche F5", "C:\\a.exe"}, {true, 4, "Touche F5", ""},
        {false, 6, "Ctrl + Touche F5", ""},         {true, 16, "Ctrl + Touche F5", "Soirée"},
        {true, 7, "ctrl + touche f5", ""},          {true, 8, "Ctrl + Touche F5 ", ""}};
    r.keys.ToucheEnfoncee("Ctrl + Touche F5");
    EXPECT_EQ(r.ran, (std::vector<AppelRaccourci>{{2, "C:\\a.exe"}, {16, "Soirée"}}));
    r.ran.clear();
    r.keys.ToucheEnfoncee("Touche F5");
    EXPECT_EQ(r.ran, (std::vector<AppelRaccourci>{{4, ""}}));
    r.ran.clear();
    r.keys.ToucheEnfoncee("");
    EXPECT_TRUE(r.ran.empty());
}

// The capture into the options dialog's box runs on the real page; without a
// box to fill, a capture runs nothing at all.
TEST(Bindings, ACaptureWithoutItsBoxRunsNothing) {
    Runs r;
    r.option.Bindings = {{true, 6, "Touche Stop", ""}};
    r.option.Capture = true;
    r.keys.ToucheEnfoncee("Touche Stop");
    EXPECT_TRUE(r.ran.empty());
}

TEST(Bindings, AnActionThatRewritesTheTableDoesNotChangeWhatThePressRuns) {
    COption option;
    option.Bindings = {{true, 24, "A", ""}, {true, 7, "A", ""}};
    std::vector<int> ran;
    Raccourcis keys(option, [&](int a, bool, const std::string&) {
        ran.push_back(a);
        option.Bindings.clear(); // as an options dialog applied from inside an action would
        option.Bindings.push_back({true, 9, "A", ""});
    });
    keys.ToucheEnfoncee("A");
    EXPECT_EQ(ran, (std::vector<int>{24, 7}));
}
