#pragma once
// Text engine of the spin edit: a formatted text such as "00 h 00 m 00 s" whose
// runs of decimal digits are weighted fields. Pure functions over UTF-8 texts;
// every position and length counts characters (code points), not bytes.
#include <string>
#include <string_view>

namespace pilotune {

// Placeholder that MasqueChiffres puts in place of every digit ("¤").
inline constexpr char32_t kPlaceholder = U'\u00A4';
// Fields recognised in one text; NombreChamps stops counting one above.
inline constexpr int kMaxChamps = 100;

// Virtual-key codes understood by TraiterToucheMasque.
enum ToucheMasque : int {
    kToucheGauche = 37,
    kToucheHaut = 38,
    kToucheDroite = 39,
    kToucheBas = 40,
    kToucheSuppr = 46,
    kToucheZero = 48,
    kTouchePavePlus = 107,
    kTouchePaveMoins = 109,
};

struct ProprietesMasque {
    std::string Coeficient = "3600,60,1";
    std::string MaskMin = "00h 00m 00s";
    std::string MaskMax = "24h 59m 59s";
    bool VoirSigne = false;
    bool Pluriel = false;
};

struct Selection {
    int debut = 0;
    int longueur = 0;
    bool operator==(const Selection&) const = default;
};

struct EtatMasque {
    std::string texte;
    Selection sel;
    bool operator==(const EtatMasque&) const = default;
};

// Every digit replaced by kPlaceholder.
std::string MasqueChiffres(std::string_view texte);
// Number of digit runs, counting stops at kMaxChamps + 1.
int NombreChamps(std::string_view texte);
// Value of the k-th run (from 1); 0 when there is none; saturates at INT_MAX.
int ValeurChamp(std::string_view texte, int k);
// Runs that begin at or before character `curseur`; 0 before the first run or
// beyond kMaxChamps runs.
int ChampAuCurseur(std::string_view texte, int curseur);
// The characters of the k-th run; {0, 0} when there is none.
Selection SelectionChamp(std::string_view texte, int k);
// True for the canonical decimal form of a 32-bit integer ("7", "-12", not "07").
bool EstEntierSimple(std::string_view texte);

// The weighted sum of the fields (a field without weight counts with weight 1),
// negated for a signed text beginning with "-"; saturates within +-INT_MAX.
int ValeurTexte(std::string_view texte, const ProprietesMasque& p);
// Formats `source` (a plain integer or a text in the format) with `modele` as the
// template: its digit runs receive the value, its other characters stay.
std::string TexteValeur(std::string_view modele, std::string_view source,
                        const ProprietesMasque& p);
// Drops a final "s", then appends one when the value is greater than 1.
std::string ReglePluriel(std::string_view texte, const ProprietesMasque& p);
// The text of `Position` := valeur: clamped to MaskMax then MaskMin, formatted.
std::string TextePosition(std::string_view modele, int valeur, const ProprietesMasque& p);

// One key press on the masked text: new text and selection.
EtatMasque TraiterToucheMasque(const EtatMasque& etat, int touche, const ProprietesMasque& p);
// Selection after the left button is released in the text.
Selection SelectionApresClic(std::string_view texte, Selection sel);
// State when the control receives the focus: the last digit selected.
EtatMasque EtatApresFocus(std::string_view texte, const ProprietesMasque& p);

} // namespace pilotune
