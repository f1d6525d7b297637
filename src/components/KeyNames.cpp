#include "components/KeyNames.h"

#include <string_view>

#include "settings/Codecs.h"

namespace pilotune {

namespace {

struct Nom {
    std::uint16_t code;
    std::string_view nom;
};

// Single keys; the letter, digit-pad and function-key ranges are computed.
constexpr Nom kNoms[] = {
    {1, "Bouton gauche souris"},
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
    {91, "Windows gauche"},
    {92, "Windows droit"},
    {93, "Menu Contextuel"},
    {95, "Touche Veille"},
    {106, "Pade *"},
    {107, "Pade +"},
    {108, "Pade Entrée"},
    {109, "Pade -"},
    {110, "Pade ."},
    {111, "Pade /"},
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
    {226, "< >"},
};

bool Held(const EtatTouche& held, int vk) {
    return held && held(vk);
}

} // namespace

std::string NomTouche(std::uint16_t key, const TextCodec* ansi) {
    if (key >= 65 && key <= 90) return std::string(1, static_cast<char>(key));
    if (key >= 96 && key <= 105) return "Pade " + std::to_string(key - 96);
    if (key >= 112 && key <= 127) return "Touche F" + std::to_string(key - 111);
    for (const Nom& n : kNoms)
        if (n.code == key) return std::string(n.nom);
    const char low = static_cast<char>(key & 0xFF);
    static const Windows1252Codec kWindows1252;
    const TextCodec& codec = ansi ? *ansi : kWindows1252;
    return "Touche spécial " + codec.Decode(std::string_view(&low, 1));
}

std::string PrefixesModificateurs(TToucheEtendu set) {
    std::string text;
    if (set & ssWindows) text += "Windows + ";
    if (set & ssMenuContextuel) text += "Menu Contextuel + ";
    if (set & ssAltGr) text += "Alt Gr + ";
    if (set & ssCtrl) text += "Ctrl + ";
    if (set & ssAlt) text += "Alt + ";
    if (set & ssShift) text += "Shift + ";
    return text;
}

bool EstToucheModificatrice(std::uint16_t key) {
    return (key >= 16 && key <= 18) || (key >= 91 && key <= 93) || (key >= 160 && key <= 165);
}

TToucheEtendu LireModificateurs(const EtatTouche& held) {
    TToucheEtendu set = 0;
    if (Held(held, 16)) set |= ssShift;
    if (Held(held, 17)) set |= ssCtrl;
    if (Held(held, 18)) set |= ssAlt;
    if (Held(held, 165)) set |= ssAltGr;
    if (Held(held, 91) || Held(held, 92)) set |= ssWindows;
    if (Held(held, 93)) set |= ssMenuContextuel;
    return set;
}

EvenementTouche NommeurTouches::Traiter(std::uint16_t key, std::uint16_t flags, bool pressed) {
    EvenementTouche e;
    e.key = key;
    e.pressed = pressed;
    if (!pressed) e.text = PrefixesModificateurs(set_);
    const bool refresh = flags < kDrapeauxSansRafraichir;
    if (refresh) set_ = LireModificateurs(held_);
    if (pressed) e.text += PrefixesModificateurs(set_);
    if (!refresh || !EstToucheModificatrice(key)) {
        e.text += NomTouche(key, ansi_);
    } else if (e.text.size() > 3) {
        e.text.resize(e.text.size() - 3); // the trailing " + "
    }
    e.modifiers = set_;
    return e;
}

} // namespace pilotune
