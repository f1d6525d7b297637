#include "options/GeneralPageWin32.h"

#include "options/OptionsPages.h"
#include "options/PagePicturesWin32.h"
#include "settings/Option.h"

namespace pilotune {

namespace {
// Left, top and right: the groups widen with the window.
constexpr unsigned kAnchorWide = kAnchorLeft | kAnchorTop | kAnchorRight;
// The right-hand column follows the groups' right edge.
constexpr unsigned kRight = kAnchorTop | kAnchorRight;
} // namespace

void GeneralPage::DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const {
    DrawGearPicture(dc, r, dpi, enabled);
}

void GeneralPage::Build(Panel& page) {
    auto spin = [this](SpinEdit& s, Panel& p, const Rect& r, const char* min, const char* max) {
        // Made empty: Fill gives it its text, in the format of `min`, in one
        // layout of the edit's text instead of two.
        s.Create(p, r, kRight, "");
        s->SetCoeficient("1");
        s->SetMaskMin(min);
        s->SetMaskMax(max);
        s->OnChange = [this] { context_.changed(); };
    };
    gbxBoucle_.Create(page, "", {16, 16, 521, 73}, kAnchorWide);
    cseBoucle_.Create(page, "Active la chanson en boucle", {24, 15, 200, 17});
    cseBoucle_.SetFont(page.BoldFont());
    lblBoucle_.Create(page, "Nombre de fois que la chanson tourne en boucle (9=infini) :",
                      {32, 48, 376, 17}, kAnchorTopLeft);
    spin(tudBoucle_, page, {432, 45, 65, 21}, "1 fois", "9 fois");

    gbxExtrait_.Create(page, "", {16, 117, 521, 73}, kAnchorWide);
    cseExtrait_.Create(page, "Active l'extrait de chanson", {24, 116, 200, 17});
    cseExtrait_.SetFont(page.BoldFont());
    lblExtrait_.Create(page, "Nombre de seconde que dure l'extrait :", {32, 149, 376, 17},
                       kAnchorTopLeft);
    spin(tudExtrait_, page, {432, 146, 65, 21}, "01 s", "99 s");

    gbxDivers_.Create(page, "Divers", {16, 218, 521, 185}, kAnchorWide);
    gbxDivers_.SetFont(page.BoldFont());
    constexpr int x = 16, y = 218;
    cseLancerDemarreWindows_.Create(page, "Lancer au démarrage de windows",
                                    {x + 16, y + 24, 270, 17});
    lblTransparent_.Create(page, "Transparent à :", {x + 304, y + 25, 100, 17}, kRight);
    spin(tudTransparent_, page, {x + 416, y + 22, 65, 21}, "000 %", "100 %");
    cseCacheAuto_.Create(page, "Cacher automatiquement le programme", {x + 16, y + 64, 270, 17});
    cseCacheWA_.Create(page, "Cacher Winamp", {x + 307, y + 64, 200, 17}, kRight);
    cseFermerWA_.Create(page, "Fermer Winamp et le programme ensemble", {x + 16, y + 104, 270, 17});
    cseSystray_.Create(page, "Mettre un icône dans le systray", {x + 307, y + 104, 200, 17},
                       kRight);
    cseMAJ_.Create(page, "Vérifier si une mise à jour est disponible", {x + 16, y + 144, 270, 17});
    cseAffichageNeg_.Create(page, "Affiche le temp restant ", {x + 308, y + 144, 200, 17}, kRight);
    // Every plain check box counts as a change; a group's switch also greys its members.
    for (CheckBox* box : {&cseLancerDemarreWindows_, &cseCacheAuto_, &cseCacheWA_, &cseFermerWA_,
                          &cseSystray_, &cseMAJ_, &cseAffichageNeg_})
        box->onChanged = [this] { context_.changed(); };
    for (CheckBox* box : {&cseBoucle_, &cseExtrait_})
        box->onChanged = [this] { SwitchGroups(); };
}

void GeneralPage::SwitchGroups() {
    context_.changed();
    cseBoucle_.SwitchGroup({&lblBoucle_, &tudBoucle_});
    cseExtrait_.SwitchGroup({&lblExtrait_, &tudExtrait_});
}

void GeneralPage::Fill() {
    const COption& o = context_.option;
    tudBoucle_->SetPosition(o.NbBoucle);
    cseBoucle_.SetChecked(o.LoopOn);
    tudExtrait_->SetPosition(o.NbExtrait);
    cseExtrait_.SetChecked(o.ExcerptOn);
    cseLancerDemarreWindows_.SetChecked(o.LancerDemarrageWindows);
    cseSystray_.SetChecked(o.Systray);
    cseFermerWA_.SetChecked(o.FermerWA);
    tudTransparent_->SetPosition(o.Transparent);
    cseCacheAuto_.SetChecked(o.CacheAuto);
    cseCacheWA_.SetChecked(o.CacheWA);
    cseMAJ_.SetChecked(o.MAJ);
    cseAffichageNeg_.SetChecked(o.AffichageNeg);
    SwitchGroups();
    shown_ = Values();
}

std::array<int, 12> GeneralPage::Values() {
    return {tudBoucle_->Position(),
            cseBoucle_.Checked(),
            tudExtrait_->Position(),
            cseExtrait_.Checked(),
            cseLancerDemarreWindows_.Checked(),
            cseSystray_.Checked(),
            cseFermerWA_.Checked(),
            tudTransparent_->Position(),
            cseCacheAuto_.Checked(),
            cseCacheWA_.Checked(),
            cseMAJ_.Checked(),
            cseAffichageNeg_.Checked()};
}

void GeneralPage::Defaults() {
    tudBoucle_->SetPosition(9);
    cseBoucle_.SetChecked(false);
    tudExtrait_->SetPosition(10);
    cseExtrait_.SetChecked(false);
    cseLancerDemarreWindows_.SetChecked(false);
    cseSystray_.SetChecked(false);
    cseFermerWA_.SetChecked(false);
    tudTransparent_->SetPosition(100);
    cseCacheAuto_.SetChecked(false);
    cseCacheWA_.SetChecked(false);
    cseMAJ_.SetChecked(true);
    cseAffichageNeg_.SetChecked(false);
    SwitchGroups();
}

void GeneralPage::Apply() {
    // The loop and the excerpt also change while the dialog is open (a loop
    // that ends, a shortcut): only what the user changed here is taken.
    const std::array<int, 12> now = Values();
    ChangedValues take(now, shown_);
    COption& o = context_.option;
    take.Take(o.NbBoucle);
    take.Take(o.LoopOn);
    take.Take(o.NbExtrait);
    take.Take(o.ExcerptOn);
    take.Take(o.LancerDemarrageWindows);
    take.Take(o.Systray);
    take.Take(o.FermerWA);
    take.Take(o.Transparent);
    take.Take(o.CacheAuto);
    take.Take(o.CacheWA);
    take.Take(o.MAJ);
    take.Take(o.AffichageNeg);
    Fill(); // the page shows the settings as they now are
}

} // namespace pilotune
