#include "components/MaskEngine.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

namespace pilotune {
namespace {

using U32 = std::u32string;

// --- UTF-8 <-> code points (a malformed byte reads as U+FFFD) ---------------

U32 Decode(std::string_view s) {
    U32 out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int suite = b < 0x80         ? 0
                          : (b >> 5) == 6  ? 1
                          : (b >> 4) == 14 ? 2
                          : (b >> 3) == 30 ? 3
                                           : -1;
        char32_t c = suite == 0   ? b
                     : suite == 1 ? (b & 0x1F)
                     : suite == 2 ? (b & 0x0F)
                                  : (b & 0x07);
        bool ok = suite >= 0 && i + suite < s.size();
        for (int j = 1; ok && j <= suite; ++j) {
            const auto cb = static_cast<unsigned char>(s[i + j]);
            ok = (cb & 0xC0) == 0x80;
            c = (c << 6) | (cb & 0x3F);
        }
        out.push_back(ok ? c : U'\uFFFD');
        i += ok ? static_cast<size_t>(suite) + 1 : 1;
    }
    return out;
}

std::string Encode(const U32& t) {
    std::string out;
    out.reserve(t.size());
    for (char32_t c : t) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

// --- digit runs --------------------------------------------------------------

bool EstChiffre(char32_t c) {
    return c >= U'0' && c <= U'9';
}

struct Run {
    int debut = 0;
    int longueur = 0;
};

std::vector<Run> Runs(const U32& t, int limite = INT_MAX) {
    std::vector<Run> runs;
    const int n = static_cast<int>(t.size());
    for (int i = 0; i < n && static_cast<int>(runs.size()) < limite;) {
        if (!EstChiffre(t[i])) {
            ++i;
            continue;
        }
        int j = i;
        while (j < n && EstChiffre(t[j]))
            ++j;
        runs.push_back({i, j - i});
        i = j;
    }
    return runs;
}

// Exact value of a run, or -1 when it does not fit in 32 bits.
int64_t ValeurExacte(const U32& t, Run r) {
    int64_t v = 0;
    for (int i = r.debut; i < r.debut + r.longueur; ++i) {
        v = v * 10 + (t[i] - U'0');
        if (v > INT_MAX) return -1;
    }
    return v;
}

int ValeurSegment(const U32& t, Run r) {
    const int64_t v = ValeurExacte(t, r);
    return v < 0 ? INT_MAX : static_cast<int>(v);
}

int ValeurChampU(const U32& t, int k) {
    if (k < 1) return 0;
    const auto runs = Runs(t, k);
    return static_cast<int>(runs.size()) < k ? 0 : ValeurSegment(t, runs[k - 1]);
}

int Poids(const std::vector<Run>& coef, const U32& texteCoef, int k) {
    if (k > static_cast<int>(coef.size())) return 1;
    return std::max(1, ValeurSegment(texteCoef, coef[k - 1]));
}

bool Negatif(const U32& t, const ProprietesMasque& p) {
    return p.VoirSigne && !t.empty() && t[0] == U'-';
}

int ValeurTexteU(const U32& t, const ProprietesMasque& p) {
    if (t.empty()) return 0;
    const U32 coefTexte = Decode(p.Coeficient);
    const auto coef = Runs(coefTexte, kMaxChamps + 1);
    const auto runs = Runs(t, kMaxChamps + 1);
    int64_t somme = 0;
    for (size_t k = 0; k < runs.size(); ++k) {
        somme +=
            int64_t{ValeurSegment(t, runs[k])} * Poids(coef, coefTexte, static_cast<int>(k) + 1);
        somme = std::min<int64_t>(somme, INT_MAX);
    }
    return static_cast<int>(Negatif(t, p) ? -somme : somme);
}

std::optional<int> EntierSimple(std::string_view s) {
    if (s.empty() || s.size() > 11) return std::nullopt;
    const bool moins = s[0] == '-';
    const std::string_view chiffres = s.substr(moins ? 1 : 0);
    if (chiffres.empty() || (chiffres[0] == '0' && (chiffres.size() > 1 || moins)))
        return std::nullopt;
    if (!std::all_of(chiffres.begin(), chiffres.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int v = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

U32 Chiffres(int64_t v, int largeur) {
    std::string d = std::to_string(v);
    U32 out(largeur > static_cast<int>(d.size()) ? largeur - d.size() : 0, U'0');
    out.append(d.begin(), d.end());
    return out;
}

U32 PlurielU(U32 t, const ProprietesMasque& p) {
    if (!t.empty() && t.back() == U's') t.pop_back();
    if (ValeurTexteU(t, p) > 1) t.push_back(U's');
    return t;
}

// The template's digit runs receive `valeur`, field by field from the left.
U32 Formater(const U32& modele, int64_t valeur, const ProprietesMasque& p) {
    if (modele.empty()) return modele;
    const U32 coefTexte = Decode(p.Coeficient);
    const auto coef = Runs(coefTexte, kMaxChamps + 1);
    const bool negatif = valeur < 0;
    int64_t reste = negatif ? -valeur : valeur;
    U32 out;
    int suite = 0, k = 0;
    for (const Run& r : Runs(modele, kMaxChamps + 1)) {
        out.append(modele, suite, r.debut - suite);
        const int c = Poids(coef, coefTexte, ++k);
        out += Chiffres(reste / c, r.longueur);
        reste %= c;
        suite = r.debut + r.longueur;
    }
    out.append(modele, suite);
    if (p.VoirSigne && !out.empty()) {
        if (out[0] == U'-' || out[0] == U'+') out.erase(0, 1);
        out.insert(out.begin(), negatif ? U'-' : U'+');
    }
    return p.Pluriel ? PlurielU(out, p) : out;
}

int64_t ValeurSource(const U32& source, const ProprietesMasque& p) {
    if (const auto v = EntierSimple(Encode(source))) return *v;
    return ValeurTexteU(source, p);
}

// --- bounds --------------------------------------------------------------------

struct Borne {
    enum Genre { Aucune, Entier, Masque } genre = Aucune;
    int entier = 0;
    U32 texte;
};

// A plain integer, a text in the control's format, or no bound at all when the
// text holds no digit.
Borne LireBorne(std::string_view b) {
    if (const auto v = EntierSimple(b)) return {Borne::Entier, *v, {}};
    U32 t = Decode(b);
    if (std::none_of(t.begin(), t.end(), EstChiffre)) return {};
    return {Borne::Masque, 0, std::move(t)};
}

int64_t ChampSigne(const U32& t, int f, const ProprietesMasque& p) {
    const int64_t v = ValeurChampU(t, f);
    return Negatif(t, p) ? -v : v;
}

// Field f of `t` (mask bound) or its whole value (integer bound) is within `b`.
bool Respecte(const U32& t, int f, const Borne& b, bool estMax, const ProprietesMasque& p) {
    if (b.genre == Borne::Aucune) return true;
    const int64_t v = b.genre == Borne::Masque ? ChampSigne(t, f, p) : ValeurTexteU(t, p);
    const int64_t lim = b.genre == Borne::Masque ? ChampSigne(b.texte, f, p) : b.entier;
    return estMax ? v <= lim : v >= lim;
}

int64_t Limite(int largeur) {
    int64_t l = 1;
    for (int i = 0; i < largeur && l <= INT_MAX; ++i)
        l *= 10;
    return l;
}

// A typed digit at `pos` in field f broke bound `b`: it becomes the bound's digit at
// that position; when the field is still beyond the bound, it takes the bound.
void Corriger(U32& t, int pos, char32_t ancien, int f, const Borne& b, bool estMax,
              const ProprietesMasque& p) {
    if (Respecte(t, f, b, estMax, p)) return;
    const U32 ref = b.genre == Borne::Masque ? b.texte : Formater(t, b.entier, p);
    if (pos < static_cast<int>(ref.size()) && EstChiffre(ref[pos])) {
        t[pos] = ref[pos];
        if (Respecte(t, f, b, estMax, p)) return;
    }
    if (b.genre == Borne::Entier) {
        t = ref;
        return;
    }
    const auto runs = Runs(t, f);
    if (f < 1 || static_cast<int>(runs.size()) < f) return;
    const Run r = runs[f - 1];
    const int64_t lim = std::min<int64_t>(ValeurChampU(b.texte, f), Limite(r.longueur) - 1);
    t.replace(r.debut, r.longueur, Chiffres(lim, r.longueur));
    if (!Respecte(t, f, b, estMax, p)) t[pos] = ancien;
}

// --- selection -------------------------------------------------------------------

Selection Borner(Selection s, int n) {
    s.debut = std::clamp(s.debut, 0, n);
    s.longueur = std::clamp(s.longueur, 0, n - s.debut);
    return s;
}

enum class Apres { Restaurer, Gauche, Droite };

Selection SelectionFinale(const U32& t, Apres apres, Selection notee, bool voirSigne) {
    const int n = static_cast<int>(t.size());
    if (apres == Apres::Restaurer) return Borner(notee, n);
    const int curseur = std::min(notee.debut, n);
    int pos = curseur;
    if (apres == Apres::Gauche) {
        int i = curseur - 1;
        while (i >= 0 && !EstChiffre(t[i]))
            --i;
        pos = i >= 0 ? i : (voirSigne ? 0 : curseur);
    } else {
        int i = curseur + 1;
        while (i < n && !EstChiffre(t[i]))
            ++i;
        pos = i < n ? i : curseur;
    }
    return Borner({pos, 1}, n);
}

int Traduire(int touche, const U32& t, Selection sel, const ProprietesMasque& p) {
    const U32 choisi = t.substr(sel.debut, sel.longueur);
    if (p.VoirSigne && (choisi == U"-" || choisi == U"+") && sel.debut < 3) {
        if (touche == kToucheHaut) return kTouchePavePlus;
        if (touche == kToucheBas) return kTouchePaveMoins;
    } else if (touche == kTouchePavePlus) {
        return kToucheHaut;
    } else if (touche == kTouchePaveMoins) {
        return kToucheBas;
    }
    if (touche == kToucheSuppr) return kToucheZero;
    if (touche >= 96 && touche <= 105) return touche - 48;
    return touche;
}

} // namespace

// --- public text operations ------------------------------------------------------

std::string MasqueChiffres(std::string_view texte) {
    U32 t = Decode(texte);
    std::replace_if(t.begin(), t.end(), EstChiffre, kPlaceholder);
    return Encode(t);
}

int NombreChamps(std::string_view texte) {
    return static_cast<int>(Runs(Decode(texte), kMaxChamps + 1).size());
}

int ValeurChamp(std::string_view texte, int k) {
    return ValeurChampU(Decode(texte), k);
}

int ChampAuCurseur(std::string_view texte, int curseur) {
    int compte = 0;
    for (const Run& r : Runs(Decode(texte), kMaxChamps + 1)) {
        if (r.debut > curseur) break;
        ++compte;
    }
    return compte > kMaxChamps ? 0 : compte;
}

Selection SelectionChamp(std::string_view texte, int k) {
    if (k < 1) return {};
    const auto runs = Runs(Decode(texte), k);
    if (static_cast<int>(runs.size()) < k) return {};
    return {runs[k - 1].debut, runs[k - 1].longueur};
}

bool EstEntierSimple(std::string_view texte) {
    return EntierSimple(texte).has_value();
}

int ValeurTexte(std::string_view texte, const ProprietesMasque& p) {
    return ValeurTexteU(Decode(texte), p);
}

std::string TexteValeur(std::string_view modele, std::string_view source,
                        const ProprietesMasque& p) {
    if (source.empty()) return {};
    return Encode(Formater(Decode(modele), ValeurSource(Decode(source), p), p));
}

std::string ReglePluriel(std::string_view texte, const ProprietesMasque& p) {
    return Encode(PlurielU(Decode(texte), p));
}

std::string TextePosition(std::string_view modele, int valeur, const ProprietesMasque& p) {
    int64_t v = valeur;
    const Borne max = LireBorne(p.MaskMax), min = LireBorne(p.MaskMin);
    if (max.genre != Borne::Aucune)
        v = std::min<int64_t>(v,
                              max.genre == Borne::Entier ? max.entier : ValeurTexteU(max.texte, p));
    if (min.genre != Borne::Aucune)
        v = std::max<int64_t>(v,
                              min.genre == Borne::Entier ? min.entier : ValeurTexteU(min.texte, p));
    return Encode(Formater(Decode(modele), v, p));
}

// --- keys --------------------------------------------------------------------------

EtatMasque TraiterToucheMasque(const EtatMasque& etat, int touche, const ProprietesMasque& p) {
    U32 t = Decode(etat.texte);
    if (t.empty()) return etat;
    const int n = static_cast<int>(t.size());
    Selection notee = Borner(etat.sel, n);
    const int f = ChampAuCurseur(etat.texte, notee.debut);
    const Borne max = LireBorne(p.MaskMax), min = LireBorne(p.MaskMin);

    touche = Traduire(touche, t, notee, p);
    if (p.VoirSigne && (touche == kToucheHaut || touche == kToucheBas)) {
        if (t[0] == U'-') {
            touche = touche == kToucheHaut ? kToucheBas : kToucheHaut;
        } else if (touche == kToucheBas && ValeurTexteU(t, p) == 0) {
            // From 0, Down writes the minus sign and counts the field up: 0 -> -1.
            if (t[0] == U'+') {
                t[0] = U'-';
            } else {
                t.insert(t.begin(), U'-');
                ++notee.debut;
            }
            touche = kToucheHaut;
        }
    }

    Apres apres = Apres::Restaurer;
    if (touche >= kToucheZero && touche <= kToucheZero + 9) {
        if (notee.longueur == 0) return etat;
        const int pos = notee.debut;
        if (pos < static_cast<int>(t.size()) && EstChiffre(t[pos])) {
            const char32_t ancien = t[pos];
            t[pos] = static_cast<char32_t>(U'0' + (touche - kToucheZero));
            Corriger(t, pos, ancien, f, max, true, p);
            Corriger(t, pos, ancien, f, min, false, p);
        }
        apres = Apres::Droite;
    } else if (touche == kTouchePavePlus || touche == kTouchePaveMoins) {
        if (notee.longueur > 0)
            t.replace(notee.debut, notee.longueur, 1, touche == kTouchePavePlus ? U'+' : U'-');
        apres = Apres::Droite;
    } else if (touche == kToucheHaut || touche == kToucheBas) {
        const auto runs = Runs(t, f);
        if (f >= 1 && static_cast<int>(runs.size()) == f) {
            const Run r = runs[f - 1];
            notee = {r.debut, r.longueur};
            const int64_t actuelle = ValeurExacte(t, r);
            const int64_t nouvelle = actuelle + (touche == kToucheHaut ? 1 : -1);
            if (actuelle >= 0 && nouvelle >= 0 && nouvelle < Limite(r.longueur) &&
                nouvelle <= INT_MAX) {
                U32 essai = t;
                essai.replace(r.debut, r.longueur, Chiffres(nouvelle, r.longueur));
                const bool monte = (touche == kToucheHaut) != Negatif(t, p);
                if (Respecte(essai, f, monte ? max : min, monte, p)) t = std::move(essai);
            }
        }
    } else if (touche == kToucheGauche) {
        apres = Apres::Gauche;
    } else if (touche == kToucheDroite) {
        apres = Apres::Droite;
    } else {
        return etat;
    }

    t = Formater(t, ValeurTexteU(t, p), p);
    return {Encode(t), SelectionFinale(t, apres, notee, p.VoirSigne)};
}

Selection SelectionApresClic(std::string_view texte, Selection sel) {
    const int n = static_cast<int>(Decode(texte).size());
    sel = Borner(sel, n);
    if (sel.longueur == 0 && sel.debut > 0) --sel.debut;
    if (sel.longueur < 2) sel.longueur = 1;
    return Borner(sel, n);
}

EtatMasque EtatApresFocus(std::string_view texte, const ProprietesMasque& p) {
    const int n = static_cast<int>(Decode(texte).size());
    return TraiterToucheMasque({std::string(texte), {n, 0}}, kToucheGauche, p);
}

} // namespace pilotune
