#include "components/PiconeBarreTache.h"

#include <charconv>

namespace pilotune {

ExceptionNumsImageLIstAffiche::ExceptionNumsImageLIstAffiche()
    : std::runtime_error(
          "Erreur dans PiconeBarreTache : Mauvaise entrée dans NumsImageListAffiche. Mettre les "
          "numéros des images de la liste (ImageList) que vous voulez voir défiler séparés par "
          "des virgules") {}

void OrdreAnimation::Definir(std::string_view texte) {
    for (char c : texte)
        if (c != ',' && (c < '0' || c > '9')) throw ExceptionNumsImageLIstAffiche();
    std::vector<int> entrees;
    if (!texte.empty()) {
        std::size_t debut = 0;
        for (;;) {
            const std::size_t virgule = texte.find(',', debut);
            const std::string_view e = texte.substr(debut, virgule - debut);
            int n = 0;
            if (std::from_chars(e.data(), e.data() + e.size(), n).ec != std::errc()) n = 0;
            entrees.push_back(n);
            if (virgule == std::string_view::npos) break;
            debut = virgule + 1;
        }
    }
    texte_ = std::string(texte);
    entrees_ = std::move(entrees);
    position_ = 0;
}

int OrdreAnimation::Suivante(int derniere, int nbImages) {
    if (nbImages <= 0) return -1;
    const int last = nbImages - 1;
    if (entrees_.empty()) return derniere >= 0 && derniere < last ? derniere + 1 : 0;
    position_ = position_ + 1 >= NbEntrees() ? 0 : position_ + 1;
    const int image = entrees_[position_];
    return image >= last ? last : image;
}

std::string TexteBulle(std::string_view hint) {
    std::size_t i = 0;
    for (std::size_t n = 0; i < hint.size() && n < kLongueurBulle; ++n) {
        ++i; // past the lead byte, then its continuation bytes
        while (i < hint.size() && (static_cast<unsigned char>(hint[i]) & 0xC0) == 0x80)
            ++i;
    }
    return std::string(hint.substr(0, i));
}

ReactionClic ReagirClic(unsigned souris, const OptionsClic& o) {
    using B = BoutonSouris;
    using E = EvenementSouris;
    ReactionClic r;
    switch (souris) {
    case 512:
        r = {E::Deplacement, B::Aucun, B::Gauche};
        break;
    case 513:
        r = {E::Enfonce, B::Gauche, B::Gauche};
        break;
    case 514:
        r = {E::Relache, B::Gauche, B::Gauche};
        break;
    case 515:
        r = {E::DoubleClic, B::Aucun, B::Aucun};
        break;
    case 516:
        r = {E::Enfonce, B::Droit, B::Droit};
        break;
    case 517:
        r = {E::Relache, B::Droit, B::Droit};
        break;
    case 519:
        r = {E::Enfonce, B::Milieu, B::Milieu};
        break;
    case 520:
        r = {E::Relache, B::Milieu, B::Milieu};
        break;
    default:
        return r;
    }
    r.montrerApplication =
        (souris == 513 && o.ouvreSiClicGauche) || (souris == 515 && o.ouvreSiDblClick);
    r.ouvrirMenu = o.aUnMenu &&
                   ((souris == 516 && o.menuSiClicDroit) || (souris == 513 && o.menuSiClicGauche));
    return r;
}

} // namespace pilotune
