#include "options/SonPageWin32.h"

#include "options/OptionsPages.h"
#include "options/PagePicturesWin32.h"
#include "settings/Option.h"
#include "ui/FileDialogsWin32.h"

namespace pilotune {

namespace {
// Left, top and right: the groups and the fields widen with the window.
constexpr unsigned kAnchorWide = kAnchorLeft | kAnchorTop | kAnchorRight;
// The right-hand column follows the groups' right edge.
constexpr unsigned kRight = kAnchorTop | kAnchorRight;
} // namespace

SonPage::Values SonPage::Of(const COption& o) {
    return {{o.VolumeStep, o.SeekStep, o.AfficheVolume, o.AfficheTitre, o.AfficheCoin},
            o.FichierEnCours,
            o.ModeleEnCours};
}

void SonPage::DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const {
    DrawSpeakerPicture(dc, r, dpi, enabled);
}

void SonPage::Build(Panel& page) {
    const auto changed = [this] { context_.changed(); };
    auto spin = [&](SpinEdit& s, const Rect& r, const char* min, const char* max) {
        s.Create(page, r, kRight);
        s->SetText(min);
        s->SetCoeficient("1");
        s->SetMaskMin(min);
        s->SetMaskMax(max);
        s->OnChange = changed;
    };
    auto group = [&](GroupBox& g, std::string_view caption, const Rect& r) {
        g.Create(page, caption, r, kAnchorWide);
        g.SetFont(page.BoldFont());
    };
    constexpr int x = 16; // the groups' left edge
    int y = 16;           // the top of the group being made
    group(gbxPas_, "Touches du son et du déplacement", {x, y, 521, 89});
    lblPasVolume_.Create(page, "Pas du volume :", {x + 16, y + 29, 240, 17}, kAnchorTopLeft);
    spin(tudPasVolume_, {x + 416, y + 26, 65, 21}, "001 %", "100 %");
    lblPasSecondes_.Create(page, "Pas du déplacement :", {x + 16, y + 58, 240, 17}, kAnchorTopLeft);
    spin(tudPasSecondes_, {x + 416, y + 55, 65, 21}, "0001 s", "3600 s");

    y = 129;
    group(gbxAffichage_, "Affichage à l'écran", {x, y, 521, 117});
    cseAfficheVolume_.Create(page, "Afficher le volume à chaque changement",
                             {x + 16, y + 26, 400, 17});
    cseAfficheTitre_.Create(page, "Afficher le titre à chaque changement de morceau",
                            {x + 16, y + 54, 400, 17});
    lblAfficheCoin_.Create(page, "Coin de l'écran :", {x + 16, y + 85, 200, 17}, kAnchorTopLeft);
    cbxAfficheCoin_.Create(page, {x + 296, y + 82, 185, 200}, kRight);
    cbxAfficheCoin_.SetItems(
        {"En haut à gauche", "En haut à droite", "En bas à gauche", "En bas à droite"});

    y = 270;
    group(gbxEnCours_, "Titre en cours dans un fichier", {x, y, 521, 121});
    lblFichierEnCours_.Create(page, "Fichier :", {x + 16, y + 29, 80, 17}, kAnchorTopLeft);
    txtFichierEnCours_.Create(page, "", {x + 104, y + 26, 337, 21}, kAnchorWide);
    btgFichierEnCours_.Create(page, "...", {x + 448, y + 24, 33, 25}, kRight);
    lblModeleEnCours_.Create(page, "Modèle :", {x + 16, y + 61, 80, 17}, kAnchorTopLeft);
    txtModeleEnCours_.Create(page, "", {x + 104, y + 58, 377, 21}, kAnchorWide);
    lblChamps_.Create(page, "Champs : {title}, {artist}, {number}, {length}, {file}",
                      {x + 104, y + 88, 377, 17}, kAnchorWide);

    for (CheckBox* box : {&cseAfficheVolume_, &cseAfficheTitre_})
        box->onChanged = changed;
    cbxAfficheCoin_.onSelectionChanged = changed;
    txtFichierEnCours_.onChange = changed;
    txtModeleEnCours_.onChange = changed;
    btgFichierEnCours_.onClick = [this] { Browse(); };
}

void SonPage::Browse() {
    if (const auto file =
            ChooseFileToSave(context_.dialog.Handle(), "Fichier du titre en cours",
                             "Fichiers texte (*.txt)|*.txt|Tous les fichiers (*.*)|*.*",
                             txtFichierEnCours_.Text(), "txt"))
        txtFichierEnCours_.SetText(*file);
}

SonPage::Values SonPage::Shown() {
    return {{tudPasVolume_->Position(), tudPasSecondes_->Position(), cseAfficheVolume_.Checked(),
             cseAfficheTitre_.Checked(), cbxAfficheCoin_.Selected()},
            txtFichierEnCours_.Text(),
            txtModeleEnCours_.Text()};
}

void SonPage::Show(const Values& v) {
    tudPasVolume_->SetPosition(v.numbers[0]);
    tudPasSecondes_->SetPosition(v.numbers[1]);
    cseAfficheVolume_.SetChecked(v.numbers[2] != 0);
    cseAfficheTitre_.SetChecked(v.numbers[3] != 0);
    cbxAfficheCoin_.Select(v.numbers[4]);
    txtFichierEnCours_.SetText(v.file);
    txtModeleEnCours_.SetText(v.pattern);
}

void SonPage::Fill() {
    Show(Of(context_.option));
    filled_ = Shown();
}

void SonPage::Defaults() {
    Show(Of(COption{}));
}

void SonPage::Apply() {
    // Only what the user changed here, as on the other pages: the settings
    // object may have changed meanwhile.
    const Values now = Shown();
    COption& o = context_.option;
    ChangedValues take(now.numbers, filled_.numbers);
    take.Take(o.VolumeStep);
    take.Take(o.SeekStep);
    take.Take(o.AfficheVolume);
    take.Take(o.AfficheTitre);
    take.Take(o.AfficheCoin);
    if (now.file != filled_.file) o.FichierEnCours = now.file;
    // An empty template is the default one.
    if (now.pattern != filled_.pattern)
        o.ModeleEnCours = now.pattern.empty() ? std::string(kModeleEnCoursDefaut) : now.pattern;
    Fill();
}

} // namespace pilotune
