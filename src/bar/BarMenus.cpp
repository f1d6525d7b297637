#include "bar/BarMenus.h"

#include <charconv>

namespace pilotune {

namespace {

struct PrincipaleItem {
    const char* name;
    const char* caption; // nullptr: separator
    std::optional<MenuCommand> command;
};

const PrincipaleItem kPrincipale[] = {
    {"mnuReculer", "Reculer", MenuCommand{RECULER, true}},
    {kMnuJouer, "Jouer", MenuCommand{JOUER, false}},
    {kMnuPause, "Pause", MenuCommand{PAUSER, false}},
    {kMnuStopper, "Stopper", MenuCommand{STOPPER, false}},
    {"mnuAvancer", "Avancer", MenuCommand{AVANCER, true}},
    {kMnuHazard, "Hazard", MenuCommand{HAZARD, false}},
    {kMnuRepeter, "Répétition de la liste", MenuCommand{REPETER, false}},
    {kMnuStopperApres, "Stopper après ce titre", MenuCommand{STOPPERAPRES, false}},
    {kMnuFondu, "Baisser progressivement puis stopper", MenuCommand{FONDU, false}},
    {nullptr, nullptr, std::nullopt},
    {"mnuReculerSecondes", "Reculer de quelques secondes", MenuCommand{RECULERSECONDES, false}},
    {"mnuAvancerSecondes", "Avancer de quelques secondes", MenuCommand{AVANCERSECONDES, false}},
    {"mnuBaisserVolume", "Baisser le volume", MenuCommand{BAISSERVOLUME, false}},
    {"mnuMonterVolume", "Monter le volume", MenuCommand{MONTERVOLUME, false}},
    {kMnuMuet, "Couper ou rétablir le son", MenuCommand{MUET, false}},
    {nullptr, nullptr, std::nullopt},
    {kMnuLireProg, "Lire le programme en cours", MenuCommand{LECTUREPROGRAMME, false}},
    {kMnuEnregistrerProg, "Programmation des titres écoutés",
     MenuCommand{ENREGISTREPROGRAMME, false}},
    {nullptr, nullptr, std::nullopt},
    {"mnuOption", "Option...", MenuCommand{AFFICHEOPTION, false}},
    {kMnuPlanification, "Planification...", std::nullopt},
    {"mnuMiseAJour", "&Vérifier les mises à jour...", MenuCommand{MISEAJOUR, true}},
    {nullptr, nullptr, std::nullopt},
    {"mnuGenererFond", "Générer l'arrière plan", MenuCommand{GENERERFOND, false}},
    {kMnuCacheAuto, "Masquer automatiquement Pilotune", MenuCommand{CACHERAUTOPROG, false}},
    {kMnuVerrouiller, "Verrouiller la position de Pilotune", std::nullopt},
    {"mnuPleinEcran", "Afficher Pilotune en plein écran", MenuCommand{PLEINECRAN, false}},
    {nullptr, nullptr, std::nullopt},
    {kMnuCacherWinamp, "Cacher Winamp", MenuCommand{CACHERWINAMP, false}},
    {"mnuOuvrirWinamp", "Ouvrir/Connexion Winamp", MenuCommand{JOUER, false}},
    {"mnuFermerWinamp", "Fermer Winamp", MenuCommand{FERMERWINAMP, false}},
    {nullptr, nullptr, std::nullopt},
    {"mnuAide", "Aide...", MenuCommand{AIDE, false}},
    {"mnuAPropos", "A propos de...", MenuCommand{APROPOSDE, false}},
    {nullptr, nullptr, std::nullopt},
    {"mnuQuitter", "Quitter Pilotune", MenuCommand{FERMERPROG, false}},
};

std::optional<int> NumberAfter(std::string_view name, std::string_view prefix) {
    if (name.substr(0, prefix.size()) != prefix || name.size() == prefix.size())
        return std::nullopt;
    int n = 0;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    auto [end, ec] = std::from_chars(first, last, n);
    if (ec != std::errc() || end != last) return std::nullopt;
    return n;
}

MenuItem Item(std::string name, std::string caption) {
    MenuItem item;
    item.name = std::move(name);
    item.caption = std::move(caption);
    return item;
}

} // namespace

std::string LoopItemName(int count) {
    return "mnuBoucle" + std::to_string(count);
}

std::optional<int> LoopItemCount(std::string_view itemName) {
    auto n = NumberAfter(itemName, "mnuBoucle");
    if (!n || *n < 1 || *n > kLoopInfinite) return std::nullopt;
    return n;
}

std::string TrackItemName(int k) {
    return "mnuListe" + std::to_string(k);
}

std::optional<int> TrackItemIndex(std::string_view itemName) {
    auto n = NumberAfter(itemName, "mnuListe");
    if (!n || *n < 0 || *n >= kTrackMenuItems) return std::nullopt;
    return n;
}

BarMenus BuildBarMenus() {
    BarMenus menus;
    for (const auto& item : kPrincipale) {
        if (!item.name) {
            menus.principale.AddSeparator();
            continue;
        }
        MenuItem& added = menus.principale.Add(Item(item.name, item.caption));
        added.isDefault = added.name == "mnuOption";
        added.checked = added.name == kMnuVerrouiller; // the position is locked at every start
    }

    menus.plan.Add(Item(kMnuAnnuler, "Annuler"));
    menus.plan.Add(Item(kMnuAnnulerTout, "Annuler Tout"));

    menus.boucle.Add(Item(kMnuExtrait, "Extrait"));
    menus.boucle.AddSeparator();
    menus.boucle.Add(Item(LoopItemName(kLoopInfinite), "Boucle Infini"));
    for (int count = 1; count < kLoopInfinite; ++count)
        menus.boucle.Add(Item(LoopItemName(count), "Boucle " + std::to_string(count)));

    for (int k = 0; k < kTrackMenuItems; ++k)
        menus.liste.Add(Item(TrackItemName(k), "")).visible = false;
    return menus;
}

std::optional<MenuCommand> PrincipaleCommand(std::string_view itemName) {
    for (const auto& item : kPrincipale)
        if (item.name && item.name == itemName) return item.command;
    return std::nullopt;
}

} // namespace pilotune
