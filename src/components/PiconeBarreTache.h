#pragma once
// The decisions of the notification-area icon in plain data: the animation
// order, the tip text, what a mouse message on the icon raises and does.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pilotune {

// The callback message of the icon (WM_USER + 100).
inline constexpr unsigned kMessageIcone = 1124;
// Characters of the hint shown as the icon's tip.
inline constexpr std::size_t kLongueurBulle = 63;
// Highest image index the icon takes from its image list.
inline constexpr int kImageMax = 255;

class ExceptionNumsImageLIstAffiche : public std::runtime_error {
  public:
    ExceptionNumsImageLIstAffiche();
};

// OrdreImageListAffiche: image indexes separated by commas; empty means every
// image in turn.
class OrdreAnimation {
  public:
    // Only commas and decimal digits; anything else throws
    // ExceptionNumsImageLIstAffiche and leaves the order unchanged.
    void Definir(std::string_view texte);
    const std::string& Texte() const { return texte_; }
    int NbEntrees() const { return static_cast<int>(entrees_.size()); }

    // One animation tick: the image to show after `derniere` (the image last
    // requested) in a list of `nbImages`; -1 when there is nothing to show.
    int Suivante(int derniere, int nbImages);

  private:
    std::string texte_;
    std::vector<int> entrees_; // an empty or oversized entry is image 0
    int position_ = 0;
};

// The first 63 characters (code points) of a UTF-8 hint.
std::string TexteBulle(std::string_view hint);

enum class BoutonSouris { Aucun, Gauche, Droit, Milieu };
enum class EvenementSouris { Aucun, Deplacement, Enfonce, Relache, DoubleClic };

struct OptionsClic {
    bool ouvreSiClicGauche = true;
    bool ouvreSiDblClick = false;
    bool menuSiClicDroit = true;
    bool menuSiClicGauche = false;
    bool aUnMenu = false;
};

struct ReactionClic {
    EvenementSouris evenement = EvenementSouris::Aucun;
    BoutonSouris bouton = BoutonSouris::Aucun;
    BoutonSouris shift = BoutonSouris::Aucun; // the button reported as held
    bool montrerApplication = false;
    bool ouvrirMenu = false;
};

// What the mouse message `souris` (WM_MOUSEMOVE ... WM_MBUTTONUP) in the icon's
// callback raises and does.
ReactionClic ReagirClic(unsigned souris, const OptionsClic& options);

} // namespace pilotune
