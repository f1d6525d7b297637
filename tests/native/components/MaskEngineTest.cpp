#include "components/MaskEngine.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

using namespace pilotune;

namespace {

ProprietesMasque Props(std::string coef, std::string max, std::string min, bool signe = false,
                       bool pluriel = false) {
    return {std::move(coef), std::move(min), std::move(max), signe, pluriel};
}

const ProprietesMasque kHms = Props("3600 60 1", "99 h 59 m 59 s", "00 h 00 m 00 s");
const ProprietesMasque kChansons = Props("1", "999", "1", false, true);
const ProprietesMasque kFois = Props("1", "9 fois", "1");
const ProprietesMasque kSigne = Props("1", "+10", "-10", true);

EtatMasque Touche(std::string texte, Selection sel, int touche, const ProprietesMasque& p) {
    return TraiterToucheMasque({std::move(texte), sel}, touche, p);
}

} // namespace

TEST(MaskEngine, PositionFormatsTheTemplatesClampsFollowsThePluralAndRoundTrips) {
    EXPECT_EQ(TextePosition("00 h 00 m 00 s", 400000, kHms), "99 h 59 m 59 s");
    EXPECT_EQ(TextePosition("00 m 00 s", 125, Props("60 1", "59 m 59 s", "00 m 00 s")),
              "02 m 05 s");
    EXPECT_EQ(TextePosition("000 %", 50, Props("1", "100", "0")), "050 %");
    EXPECT_EQ(TextePosition("01 s", 5, Props("1", "60", "1")), "05 s");
    EXPECT_EQ(TextePosition("1 fois", 12, kFois), "9 fois");
    const auto million = Props("1000000 1000 1", "9 999 999", "0 000 001");
    EXPECT_EQ(TextePosition("0 000 001", 1234567, million), "1 234 567");
    EXPECT_EQ(TextePosition("0 000 001", 0, million), "0 000 001");
    // A value wider than its field is never cut.
    EXPECT_EQ(TexteValeur("0 000 001", "12345678", million), "12 345 678");
    // A bound is a plain integer only without a leading zero or "+", within 32 bits.
    EXPECT_TRUE(EstEntierSimple("999") && EstEntierSimple("-10"));
    EXPECT_FALSE(EstEntierSimple("007") || EstEntierSimple("+5") || EstEntierSimple("99999999999"));
    // Creation defaults of the control.
    const ProprietesMasque defauts;
    EXPECT_EQ(TextePosition("00h 00m 00s", 100000, defauts), "24h 59m 59s");
    EXPECT_EQ(TextePosition("00h 00m 00s", -5, defauts), "00h 00m 00s");

    EXPECT_EQ(TextePosition("003 chansons", 2, kChansons), "002 chansons");
    EXPECT_EQ(TextePosition("001 chanson", 2, kChansons), "002 chansons");
    EXPECT_EQ(TextePosition("003 chansons", 1000, kChansons), "999 chansons");
    EXPECT_EQ(TextePosition("003 chansons", 0, kChansons), "001 chanson");
    // Stepping down across 1 removes the "s".
    EXPECT_EQ(Touche("002 chansons", {2, 1}, kToucheBas, kChansons).texte, "001 chanson");
    EXPECT_EQ(ReglePluriel("1 fois", kChansons), "1 foi"); // the rule knows nothing of words

    // Every template round-trips over its whole range.
    struct Cas {
        const char* modele;
        ProprietesMasque p;
        int max, pas;
    };
    const Cas cas[] = {
        {"00 h 00 m 00 s", kHms, 99 * 3600 + 59 * 60 + 59, 7},
        {"003 chansons", kChansons, 999, 1},
        {"1 fois", kFois, 9, 1},
        {"01 s", Props("1", "99", "0"), 99, 1},
        {"000 %", Props("1", "100", "0"), 100, 1},
        {"0 000 001", Props("1000000 1000 1", "9999999", "0"), 9999999, 997},
        {"00 m 00 s", Props("60 1", "99 m 59 s", "00 m 00 s"), 99 * 60 + 59, 1},
        {"+00 h 00", Props("60 1", "+99 h 59", "-99 h 59", true), 99 * 60 + 59, 1},
    };
    for (const auto& c : cas) {
        const int debut = c.p.VoirSigne ? -c.max : 0;
        for (int v = debut; v <= c.max + c.pas; v += c.pas) {
            const int attendu = std::min(v, c.max);
            const std::string texte = TexteValeur(c.modele, std::to_string(attendu), c.p);
            ASSERT_EQ(ValeurTexte(texte, c.p), attendu) << c.modele << " -> " << texte;
            ASSERT_EQ(NombreChamps(texte), NombreChamps(c.modele)) << texte;
        }
    }
}

TEST(MaskEngine, UpAndDownStepTheFieldUnderTheCaretArrowsAndClicksSelectOneDigit) {
    // At a field maximum nothing changes, but the field is selected. The usual
    // steps, typed digits, Delete, focus and clicks run on the real control.
    EXPECT_EQ(Touche("00 h 59 m 00 s", {6, 1}, kToucheHaut, kHms),
              (EtatMasque{"00 h 59 m 00 s", {5, 2}}));
    EXPECT_EQ(Touche("99 h 00 m 00 s", {0, 1}, kToucheHaut, kHms).texte, "99 h 00 m 00 s");
    EXPECT_EQ(Touche("00 h 00 m 00 s", {11, 1}, kToucheBas, kHms).texte, "00 h 00 m 00 s");
    // The caret on the decoration after a field steps that field.
    EXPECT_EQ(Touche("01 h 00 m 00 s", {3, 1}, kToucheBas, kHms).texte, "00 h 00 m 00 s");
    // A plain-integer bound limits the whole value.
    EXPECT_EQ(Touche("999 chansons", {2, 1}, kToucheHaut, kChansons).texte, "999 chansons");
    EXPECT_EQ(Touche("001 chanson", {2, 1}, kToucheBas, kChansons).texte, "001 chanson");
    EXPECT_EQ(Touche("01 s", {1, 1}, kToucheBas, Props("1", "99", "01 s")).texte, "01 s");
    // Keypad "+" and "-" step like Up and Down.
    EXPECT_EQ(Touche("5 fois", {0, 1}, kTouchePavePlus, kFois).texte, "6 fois");
    EXPECT_EQ(Touche("5 fois", {0, 1}, kTouchePaveMoins, kFois).texte, "4 fois");
    // Character positions, not bytes.
    EXPECT_EQ(Touche("é 05", {3, 1}, kToucheHaut, Props("1", "99", "0")),
              (EtatMasque{"é 06", {2, 2}}));

    const std::string t = "00 h 00 m 00 s";
    EXPECT_EQ(Touche(t, {5, 1}, kToucheGauche, kHms).sel, (Selection{1, 1}));
    EXPECT_EQ(Touche(t, {1, 1}, kToucheDroite, kHms).sel, (Selection{5, 1}));
    EXPECT_EQ(Touche(t, {0, 1}, kToucheGauche, kHms).sel, (Selection{0, 1}));
    EXPECT_EQ(Touche(t, {11, 1}, kToucheDroite, kHms).sel, (Selection{11, 1}));
    EXPECT_EQ(Touche(t, {5, 2}, kToucheDroite, kHms).sel, (Selection{6, 1}));
    // A click between characters selects the one on its left.
    EXPECT_EQ(SelectionApresClic("00 h", {0, 0}), (Selection{0, 1}));
    EXPECT_EQ(SelectionApresClic("00 h", {4, 0}), (Selection{3, 1}));
    // A field the text does not have selects nothing.
    EXPECT_EQ(SelectionChamp("00 h", 2), (Selection{}));
}

TEST(MaskEngine, TypedDigitsAndSignedStepsRespectTheBounds) {
    // '0'..'9' are their own virtual-key codes.
    // Beyond the maximum: the bound's digit at that position.
    EXPECT_EQ(Touche("1 fois", {0, 1}, '7', Props("1", "5 fois", "1")).texte, "5 fois");
    // When the bound's digit is not enough, the field takes the bound: 99 -> 29 -> 24.
    EXPECT_EQ(Touche("19h 00m 00s", {0, 1}, '9', ProprietesMasque{}),
              (EtatMasque{"24h 00m 00s", {1, 1}}));
    // Below a plain minimum: "000" becomes "001".
    EXPECT_EQ(Touche("001 chanson", {2, 1}, '0', kChansons).texte, "001 chanson");
    // Over decoration nothing is written but the caret moves on; with nothing
    // selected a digit changes nothing.
    EXPECT_EQ(Touche("00 h 00", {2, 1}, '5', kHms), (EtatMasque{"00 h 00", {5, 1}}));
    EXPECT_EQ(Touche("00 h 00", {3, 0}, '5', kHms), (EtatMasque{"00 h 00", {3, 0}}));
    // Keys without a meaning here change nothing: Backspace, ":" (58), keypad "*".
    for (int touche : {8, 58, 106, 65})
        EXPECT_EQ(Touche("12 h 34", {1, 1}, touche, kHms), (EtatMasque{"12 h 34", {1, 1}}))
            << touche;

    // Down from 0 writes "-" and makes -1.
    EXPECT_EQ(Touche("+00", {2, 1}, kToucheBas, kSigne), (EtatMasque{"-01", {1, 2}}));
    // On a negative text, Up raises the value: -5 -> -4; Down lowers it.
    EXPECT_EQ(Touche("-05", {2, 1}, kToucheHaut, kSigne).texte, "-04");
    EXPECT_EQ(Touche("-05", {2, 1}, kToucheBas, kSigne).texte, "-06");
    EXPECT_EQ(Touche("-01", {2, 1}, kToucheHaut, kSigne).texte, "+00");
    // The plain negative minimum and the mask maximum hold.
    EXPECT_EQ(Touche("-10", {2, 1}, kToucheBas, kSigne).texte, "-10");
    EXPECT_EQ(Touche("+10", {2, 1}, kToucheHaut, kSigne).texte, "+10");
    EXPECT_EQ(Touche("-05", {1, 1}, '9', kSigne).texte, "-10");
    // Up and Down on the sign set it; the caret moves to the first digit.
    EXPECT_EQ(Touche("+05", {0, 1}, kToucheBas, kSigne), (EtatMasque{"-05", {1, 1}}));
    EXPECT_EQ(Touche("-05", {0, 1}, kToucheHaut, kSigne), (EtatMasque{"+05", {1, 1}}));
    EXPECT_EQ(Touche("+05", {1, 1}, kToucheGauche, kSigne).sel, (Selection{0, 1}));
    // A signed template without a sign gets one; -0 shows as +0.
    EXPECT_EQ(TexteValeur("00", "-7", kSigne), "-07");
    EXPECT_EQ(TexteValeur("00", "3", kSigne), "+03");
    EXPECT_EQ(TexteValeur("-00", "0", kSigne), "+00");
    EXPECT_EQ(ValeurTexte("-05", Props("1", "", "")), 5); // unsigned: "-" is decoration
}

TEST(MaskEngine, BadInputGivesADefinedResult) {
    // 300 digit runs: the first 101 count, the rest stay as they are.
    std::string runs;
    for (int i = 0; i < 300; ++i)
        runs += "1 ";
    const auto un = Props("1", "", "");
    EXPECT_EQ(NombreChamps(runs), kMaxChamps + 1);
    EXPECT_EQ(ChampAuCurseur(runs, 598), 0);
    EXPECT_EQ(ValeurTexte(runs, un), kMaxChamps + 1);
    const std::string formate = TexteValeur(runs, "5", un);
    EXPECT_EQ(formate.size(), runs.size());
    EXPECT_EQ(formate.substr(0, 6), "5 0 0 ");
    EXPECT_EQ(formate.substr(200, 6), "0 1 1 ");
    EXPECT_EQ(formate.find("¤"), std::string::npos);
    const std::string apres = Touche(runs, {598, 1}, kToucheHaut, un).texte;
    EXPECT_EQ(apres.find("¤"), std::string::npos);
    EXPECT_EQ(ValeurTexte(apres, un), kMaxChamps + 1);

    // A field beyond 32 bits saturates, does not step, and shows the value it holds.
    const std::string enorme(300, '9');
    EXPECT_EQ(ValeurChamp(enorme, 1), INT_MAX);
    EXPECT_EQ(ValeurTexte(enorme + " " + enorme, un), INT_MAX);
    EXPECT_EQ(Touche(enorme, {3, 1}, kToucheBas, un).texte, std::string(290, '0') + "2147483647");

    // Empty or zero weights count as 1: no division by zero, the value survives.
    EXPECT_EQ(ValeurTexte(TextePosition("00 m 00 s", 125, Props("", "", "")), Props("", "", "")),
              125);
    EXPECT_EQ(TextePosition("00 m 00 s", 125, Props("0,0", "", "")), "125 m 00 s");

    // Bounds that are neither a number nor a mask of the template.
    EXPECT_EQ(TextePosition("000", 42, Props("1", "abc", "")), "042"); // no digit: no bound
    const auto bizarre = Props("60 1", "12:xx", "");
    EXPECT_EQ(TextePosition("00 m 00 s", 5000, bizarre), "12 m 00 s");
    EXPECT_EQ(Touche("00 m 00 s", {5, 1}, kToucheHaut, bizarre).texte, "00 m 00 s");
    EXPECT_EQ(Touche("00 m 00 s", {6, 1}, '7', bizarre).texte, "00 m 00 s");

    // Empty text, a selection beyond the text, malformed UTF-8, extreme values.
    EXPECT_EQ(Touche("", {0, 0}, kToucheHaut, kHms), (EtatMasque{"", {0, 0}}));
    EXPECT_EQ(Touche("05 s", {40, 9}, kToucheGauche, kHms).sel, (Selection{1, 1}));
    EXPECT_EQ(NombreChamps("\xff"
                           "12\xc3"),
              1);
    EXPECT_EQ(TexteValeur("00", "", kHms), "");
    EXPECT_EQ(TexteValeur("0", std::to_string(INT_MIN), Props("1", "", "", true)), "-2147483648");
}
