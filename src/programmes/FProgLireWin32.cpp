#include "programmes/FProgLireWin32.h"

namespace pilotune {

TfrmProgLire::TfrmProgLire() {
    OnCommand(IDOK, [this] { Finish(1); });
    OnCommand(IDCANCEL, [this] { Finish(0); });
}

std::optional<std::string> TfrmProgLire::Choisir(HWND owner, const std::vector<std::string>& items,
                                                 const ProgLireTexts& texts) {
    tag_ = 0;
    chosen_.clear();
    if (!Create(kProgLireClass, {.caption = texts.caption, .client = {444, 114}, .owner = owner}))
        return std::nullopt;
    lblProgLire_.Create(*this, texts.label, {8, 16, 428, 20}, kLblProgLireId);
    lblProgLire_.SetFont(BoldFont());
    cbxProgTitre_.Create(*this, {8, 43, 425, 200}, kCbxProgTitreId);
    cbxProgTitre_.SetItems(items);
    if (!items.empty()) cbxProgTitre_.Select(0);
    cmdProgOK_.Create(*this, "Ok", {224, 81, 97, 25}, IDOK, kAnchorTopLeft, true);
    cmdProgAnnuler_.Create(*this, "Annuler", {334, 81, 97, 25}, IDCANCEL);
    Dialog::ShowModal(cbxProgTitre_.Handle());
    if (tag_ != 1 || chosen_.empty()) return std::nullopt;
    return chosen_;
}

void TfrmProgLire::Finish(int tag) {
    tag_ = tag;
    chosen_ = cbxProgTitre_.SelectedItem();
    Close(tag == 1 ? IDOK : IDCANCEL);
}

} // namespace pilotune
