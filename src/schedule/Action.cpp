#include "schedule/Action.h"

#include <algorithm>
#include <array>
#include <climits>

#include "player/Playlist.h"
#include "settings/Option.h"

namespace pilotune {

// The settings store actions by number without knowing them: "nothing", and
// the last number a stored binding may hold.
static_assert(kActionNothing == ARIEN);
static_assert(kLastStoredAction == kActionCount - 1);

namespace {

struct ActionText {
    std::string_view name;
    std::string_view label;
    std::string_view description;
};

constexpr std::array<ActionText, kActionCount> kActions{{
    {"ARRETER", "Arrêter l'ordinateur", "Arrêt de l'ordinateur"},
    {"REDEMARRER", "Redémarrer l'ordinateur", "Redémarrage de l'ordinateur"},
    {"EXECUTER", "Exécuter :", "Execution de "},
    {"RECULER", "Reculer", "Titre précedent"},
    {"JOUER", "Jouer", "Joue le titre"},
    {"PAUSER", "Pause", "Pause du titre"},
    {"STOPPER", "Stopper", "Stoppe le titre"},
    {"AVANCER", "Avancer", "Titre suivant"},
    {"HAZARD", "Hasard", "Titre aléatoire"},
    {"FORCEHAZARD", "Forcer la lecture au hazard", "Force la lecture du titre aléatoirement"},
    {"FORCECONTINU", "Forcer la lecture en continu", "Force la lecture du titre en continu"},
    {"BOUCLE", "Boucle", "Titre en boucle"},
    {"EXTRAIT", "Extrait", "Extrait des titres"},
    {"LANCERWINAMP", "Exécuter Winamp", "Execute Winamp"},
    {"FERMERWINAMP", "Fermer Winamp", "Ferme Winamp"},
    {"FERMERPROG", "Fermer Pilotune", "Ferme Pilotune"},
    {"LECTUREPROGRAMME", "Lecture du programme :", "Lit le programme "},
    {"ENREGISTREPROGRAMME", "Enregistre programme", "Programme les titres lus"},
    {"COPIER", "Copier music en cours", "Copie le fichier écouté"},
    {"GENERERFOND", "Générer l'arrière plan", "Génére l'arrière plan"},
    {"AIDE", "Aide", "Aide"},
    {"CACHERWINAMP", "Cacher Winamp", "Cache winamp"},
    {"CACHERAUTOPROG", "Cacher automatiquement le programme", "Cache automatiquement le programme"},
    {"APROPOSDE", "A propos de", "A propos de"},
    {"AFFICHEOPTION", "Afficher les options", "Affiche les options"},
    {"RELANCERACTION", "Relancer une action planifier :", "Relancer l'action "},
    {"ANNULER", "Annuler l'action en cours", "Annule l'action en cours"},
    {"ANNULERTOUT", "Annuler toutes les actions en cours", "Annule toutes les actions en cours"},
    {"PLEINECRAN", "Afficher Pilotune en plein écran", "Affiche Pilotune en plein écran"},
    {"MISEAJOUR", "Vérifier s'il y a une mise à jour de Pilotune", "Mise à jour de Pilotune"},
    {"AFFICHENEGATIF", "Afficher le temps restant ou passé du titre",
     "Affiche le temps restant du titre"},
    {"AFFICHECHERCHEURTITRE", "Afficher le chercheur de titre", "Affiche le chercheur de titre"},
    {"ARIEN", "", ""},
    {"MONTERVOLUME", "Monter le volume", "Monte le volume"},
    {"BAISSERVOLUME", "Baisser le volume", "Baisse le volume"},
    {"MUET", "Couper ou rétablir le son", "Coupe ou rétablit le son"},
    {"AVANCERSECONDES", "Avancer de quelques secondes", "Avance de quelques secondes"},
    {"RECULERSECONDES", "Reculer de quelques secondes", "Recule de quelques secondes"},
    {"REPETER", "Répétition de la liste", "Répète la liste ou non"},
    {"STOPPERAPRES", "Stopper après ce titre", "Stoppe après ce titre"},
    {"FONDU", "Baisser progressivement puis stopper", "Baisse le volume puis stoppe, en "},
}};

constexpr std::string_view kUnknownLabel = "Le programmeur est un con";
constexpr std::string_view kUnknownDescription = "Merde, j'ai oublié de l'action prendre en compte";

bool Known(int action) {
    return action >= 0 && action < kActionCount;
}

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::string_view NomAction(int action) {
    return Known(action) ? kActions[action].name : "";
}

std::optional<TAction> ActionParNom(std::string_view keyword) {
    for (int i = 0; i < kActionCount; ++i) {
        const std::string_view name = kActions[i].name;
        if (name.size() != keyword.size()) continue;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k)
            same = UpperAscii(keyword[k]) == name[k];
        if (same) return static_cast<TAction>(i);
    }
    return std::nullopt;
}

std::string LibelleAction(int action) {
    return std::string(Known(action) ? kActions[action].label : kUnknownLabel);
}

std::string DescriptionAction(int action, std::string_view parameter) {
    if (!Known(action) || action == ARIEN) return std::string(kUnknownDescription);
    std::string text(kActions[action].description);
    switch (action) {
    case EXECUTER:
        text += FileNamePart(parameter);
        break;
    case LECTUREPROGRAMME:
    case RELANCERACTION:
        text += parameter;
        break;
    case FONDU:
        text += std::to_string(FadeSeconds(parameter)) + " s";
        break;
    default:
        break;
    }
    return text;
}

int FadeSeconds(std::string_view parameter) {
    const int n = LeadingNumber(parameter);
    return n < 1 ? kDefaultFadeSeconds : std::min(n, kMaxFadeSeconds);
}

int LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long n = 0;
    constexpr long long kLimit = 1LL << 32;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        n = std::min(n * 10 + (text[i] - '0'), kLimit);
    n = negative ? -n : n;
    return static_cast<int>(std::clamp<long long>(n, INT_MIN, INT_MAX));
}

} // namespace pilotune
