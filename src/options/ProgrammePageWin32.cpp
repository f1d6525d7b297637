#include "options/ProgrammePageWin32.h"

#include <commctrl.h>

#include <utility>

#include "base/EncodingWin32.h"
#include "options/ColumnWidthsWin32.h"
#include "options/PagePicturesWin32.h"
#include "components/MaskEngine.h"
#include "player/Playlist.h"
#include "player/Winamp.h"
#include "programmes/Programmes.h"
#include "settings/SettingsStore.h"
#include "ui/SubclassWin32.h"

namespace pilotune {

namespace {
constexpr std::string_view kSectionProgrammeMusic = "Programme music";
const std::vector<int> kColumnWidths = {70, 300, 70, 70};
constexpr UINT_PTR kNamesSubclass = 1;
constexpr const char* kFieldKeys[] = {"ProgNumeroDe", "ProgNumeroA", "ProgDep", "ProgFin"};

const ProprietesMasque& TimeMask() {
    static const ProprietesMasque p{"60 1", "00 m 00 s", "99 m 59 s"};
    return p;
}

void SetTimeMask(SpinEdit& spin) {
    spin->SetCoeficient(TimeMask().Coeficient);
    spin->SetMaskMin(TimeMask().MaskMin);
    spin->SetMaskMax(TimeMask().MaskMax);
    spin->SetText(TimeMask().MaskMin);
}

// Seconds as minutes and seconds, beyond "99 m 59 s" too.
std::string TimeText(int seconds) {
    return TexteValeur(TimeMask().MaskMin, std::to_string(seconds), TimeMask());
}

// A time field shows its value whole, even above what its mask offers.
void SetTime(SpinEdit& spin, int seconds) {
    spin->SetText(TimeMask().MaskMin);
    if (seconds > ValeurTexte(TimeMask().MaskMax, TimeMask()))
        spin->SetText(TimeText(seconds));
    else
        spin->SetPosition(seconds);
}
} // namespace

ProgrammePage::ProgrammePage(PageContext& context)
    : context_(context), store_(context.store), option_(context.option),
      player_(context.host.player), lsvProg_([](const TProg& e) {
          return std::vector<std::string>{std::to_string(e.N), e.T, TimeText(e.D), TimeText(e.F)};
      }) {
    cseProgEnreg_.onChanged = [this] {
        context_.changed();
        if (cseProgEnreg_.Checked()) cseProgLecture_.SetChecked(false);
    };
    cseProgLecture_.onChanged = [this] { context_.changed(); };
    // Entering the box stores the list under the name shown; the focus
    // given back with the dialog is no entry.
    cbxProgTitre_.onFocus = [this] {
        const bool entered = std::exchange(namesEntered_, false);
        if (entered && !TypedName().empty()) SaveList();
    };
    cbxProgTitre_.onSelectionChanged = [this] { LoadList(cbxProgTitre_.SelectedItem()); };
    cbxProgTitre_.onTextChanged = [this] { context_.changed(); };
    context_.dialog.OnCommand(kMnuProgSupprimer, [this] { RemoveName(false); });
    context_.dialog.OnCommand(kMnuProgSupprimerTout, [this] { RemoveName(true); });
    lblProgNumeroDe_.onClick = [this] {
        const int playing = (player_ ? player_->NumeroTitre() : 0);
        tudProgNumeroDe_->SetPosition(playing);
        tudProgNumeroA_->SetPosition(playing);
    };
    lblProgNumeroA_.onClick = [this] {
        tudProgNumeroA_->SetPosition((player_ ? player_->NumeroTitre() : 0));
    };
    lblProgDepart_.onClick = [this] {
        tudProgDepart_->SetPosition((player_ ? player_->Position() : 0));
    };
    lblProgFin_.onClick = [this] { tudProgFin_->SetPosition((player_ ? player_->Position() : 0)); };
    cmdProgAjouter_.onClick = [this] { Add(); };
}

void ProgrammePage::DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const {
    DrawProgrammePicture(dc, r, dpi, enabled);
}

ProgrammePage::~ProgrammePage() {
    if (namesEdit_ && IsWindow(namesEdit_))
        DetachSubclass(namesEdit_, NamesBoxProc, kNamesSubclass);
}

void ProgrammePage::Build(Panel& page) {
    cseProgEnreg_.Create(page, "Activer la programmation des titres écoutés", {18, 16, 527, 17});
    cseProgLecture_.Create(page, "Activer la lecture du programme des titres lus",
                           {17, 39, 528, 16});
    gbxProgLecture_.Create(page, "Gestion des programmes", {8, 64, 537, 348}, kAnchorAll);
    gbxProgLecture_.SetFont(page.BoldFont());
    constexpr int x = 8, y = 64; // the group's origin
    lblProgTitreProg_.CreateClickable(page, "Titre du programme :", {x + 8, y + 24, 108, 17},
                                      Static::Left);
    cbxProgTitre_.Create(page, {x + 120, y + 19, 313, 200}, kAnchorTopLeft, ComboBox::Typing);
    lblProgNumeroDe_.CreateClickable(page, "Numéro de :", {x + 24, y + 50, 89, 13});
    lblProgNumeroA_.CreateClickable(page, "Numéro à :", {x + 129, y + 50, 82, 13});
    lblProgDepart_.CreateClickable(page, "Départ :", {x + 234, y + 50, 79, 13});
    lblProgFin_.CreateClickable(page, "Fin :", {x + 340, y + 50, 82, 13});
    tudProgNumeroDe_.Create(page, {x + 24, y + 64, 89, 21});
    tudProgNumeroA_.Create(page, {x + 128, y + 64, 89, 21});
    tudProgDepart_.Create(page, {x + 233, y + 64, 85, 21});
    tudProgFin_.Create(page, {x + 338, y + 64, 87, 21});
    SetTimeMask(tudProgDepart_);
    SetTimeMask(tudProgFin_);
    lblProgTitre_.Create(page, "Titre :", {x + 11, y + 100, 48, 17}, kAnchorTopLeft);
    txtProgTitre_.Create(page, "", {x + 63, y + 96, 370, 21},
                         kAnchorLeft | kAnchorRight | kAnchorTop);
    txtProgTitre_.SetReadOnly(true);
    cmdProgAjouter_.Create(page, "Ajouter", {x + 440, y + 94, 89, 25}, kAnchorRight | kAnchorTop);
    lsvProg_.view.Create(page, {x + 8, y + 128, 521, 212}, kAnchorAll, false);
    const char* titles[] = {"Numéro", "Titre", "Debut", "Fin"};
    for (std::size_t c = 0; c < kColumnWidths.size(); ++c)
        lsvProg_.view.AddColumn(titles[c], kColumnWidths[c]);
    ListView_SetExtendedListViewStyleEx(lsvProg_.view.Handle(), LVS_EX_HEADERDRAGDROP, 0);
    SetWindowLongPtrW(ListView_GetHeader(lsvProg_.view.Handle()), GWL_STYLE,
                      GetWindowLongPtrW(ListView_GetHeader(lsvProg_.view.Handle()), GWL_STYLE) &
                          ~HDS_BUTTONS);
    (*tudProgNumeroDe_).OnChange = [this] { TrackChanged(tudProgNumeroDe_); };
    (*tudProgNumeroA_).OnChange = [this] { TrackChanged(tudProgNumeroA_); };
    (*tudProgDepart_).OnChange = [this] { context_.changed(); };
    (*tudProgFin_).OnChange = [this] { context_.changed(); };
    WireList(
        lsvProg_, page.Dpi(), false, [this] { context_.changed(); }, [this] { TakeBack(); },
        [this] {
            context_.showMenu({.list = &lsvProg_,
                               .add = [this] { Add(); },
                               .takeBack = [this] { TakeBack(); },
                               .refresh = [this] { Refresh(); }});
        });
    gbxProgLecture_.SendToBack();
    // The names box's menu, on the box (its edit part) and on its label.
    COMBOBOXINFO info{.cbSize = sizeof(COMBOBOXINFO)};
    if (GetComboBoxInfo(cbxProgTitre_.Handle(), &info)) namesEdit_ = info.hwndItem;
    if (namesEdit_)
        AttachSubclass(namesEdit_, NamesBoxProc, kNamesSubclass, reinterpret_cast<DWORD_PTR>(this));
    page.OnMessage(WM_CONTEXTMENU, [this, &page](WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (reinterpret_cast<HWND>(wParam) == lblProgTitreProg_.Handle() ||
            reinterpret_cast<HWND>(wParam) == cbxProgTitre_.Handle()) {
            ShowNamesMenu();
            return 0;
        }
        return DefWindowProcW(page.Handle(), WM_CONTEXTMENU, wParam, lParam);
    });
}

LRESULT CALLBACK ProgrammePage::NamesBoxProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR self) {
    auto* page = reinterpret_cast<ProgrammePage*>(self);
    if (msg == WM_CONTEXTMENU) {
        page->ShowNamesMenu();
        return 0;
    }
    if (msg == WM_SETFOCUS) {
        // From another control of the dialog (the combo box itself passes
        // on what Tab gave it): the user's move.
        const HWND from = reinterpret_cast<HWND>(wParam);
        page->namesEntered_ = from && IsChild(page->context_.dialog.Handle(), from);
    }
    return NextSubclassProc(h, msg, wParam, lParam);
}

void ProgrammePage::ShowNamesMenu() {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    AppendMenuW(menu, MF_STRING, kMnuProgSupprimer, L"Supprimer");
    AppendMenuW(menu, MF_STRING, kMnuProgSupprimerTout, L"Supprimer tout");
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, context_.dialog.Handle(), nullptr);
    DestroyMenu(menu);
}

void ProgrammePage::RemoveName(bool all) {
    if (all) {
        context_.changed();
        cbxProgTitre_.Clear();
    } else {
        const std::string name = TypedName();
        const int at = static_cast<int>(
            SendMessageW(cbxProgTitre_.Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(Widen(name).c_str())));
        if (name.empty() || at < 0) return;
        context_.changed();
        SendMessageW(cbxProgTitre_.Handle(), CB_DELETESTRING, static_cast<WPARAM>(at), 0);
    }
    cbxProgTitre_.SetText("");
    lsvProg_.EraseAll();
    followed_.clear();
}

void ProgrammePage::Fill() {
    cseProgEnreg_.SetChecked(option_.ProgEnreg);
    cseProgLecture_.SetChecked(option_.ProgLecture);
    const int tracks = (player_ ? player_->NbTitres() : 0);
    SetTrackMask(tudProgNumeroDe_, tracks);
    SetTrackMask(tudProgNumeroA_, tracks);
    tudProgNumeroDe_->SetText("0 000 001");
    tudProgNumeroA_->SetText("0 000 001");
    SpinEdit* fields[] = {&tudProgNumeroDe_, &tudProgNumeroA_, &tudProgDepart_, &tudProgFin_};
    for (size_t i = 0; i < kept_.size(); ++i) {
        const int read = store_.ReadInteger(kSectionProgramme, kFieldKeys[i], 0, true);
        if (i < 2)
            (*fields[i])->SetPosition(read);
        else
            SetTime(*fields[i], read);
        kept_[i] = {read, (*fields[i])->Position()};
    }
    txtProgTitre_.SetText(TrackTitle(tudProgNumeroDe_->Position()));
    LoadColumnWidths(lsvProg_.view, store_, kSectionProgrammeMusic, kColumnWidths,
                     context_.dialog.Dpi());
    cbxProgTitre_.SetItems(ReadProgrammeNames(store_));
    cbxProgTitre_.SetText(option_.ProgTitre);
    LoadList(option_.ProgTitre);
}

void ProgrammePage::LoadList(const std::string& name) {
    context_.changed();
    const TrackLookup lookup = [this](const std::string& file) {
        return player_ ? player_->ChercherTitre(file) : 0;
    };
    lsvProg_.Set(ReadProgramme(store_, name, lookup));
    ShowsProgramme(name);
}

void ProgrammePage::ShowsProgramme(const std::string& name) {
    const std::string shown = store_.AsStored(name.empty() ? kDefaultProgramme : name);
    followed_ = shown == store_.AsStored(option_.ProgTitre) ? shown : std::string();
    recordedSeen_ = option_.Programme.size();
}

void ProgrammePage::FollowRecording() {
    // Another programme became the current one meanwhile: recording fills
    // that one, not the list shown.
    if (!followed_.empty() && followed_ != store_.AsStored(option_.ProgTitre)) followed_.clear();
    if (followed_.empty()) return;
    const std::vector<TProg>& current = option_.Programme;
    for (size_t i = recordedSeen_; i < current.size(); ++i)
        lsvProg_.Add(current[i]);
    recordedSeen_ = current.size();
}

std::string ProgrammePage::TypedName() const {
    return store_.AsStored(cbxProgTitre_.Text());
}

void ProgrammePage::SaveList() {
    FollowRecording();
    WriteProgramme(store_, TypedName(), lsvProg_.Rows());
}

void ProgrammePage::TrackChanged(const SpinEdit& changed) {
    context_.changed();
    FollowTrackRange(tudProgNumeroDe_, tudProgNumeroA_, changed, txtProgTitre_, player_);
}

void ProgrammePage::Add() {
    context_.changed();
    const int from = tudProgNumeroDe_->Position(), to = tudProgNumeroA_->Position();
    txtProgTitre_.SetText(TrackTitle(from));
    const int d = tudProgDepart_->Position(), f = tudProgFin_->Position();
    for (int n = from; n <= to; ++n)
        lsvProg_.Add({n, d, f, TrackTitle(n)});
    if (lsvProg_.Count() > 0)
        ListView_EnsureVisible(lsvProg_.view.Handle(), lsvProg_.Count() - 1, FALSE);
}

void ProgrammePage::TakeBack() {
    context_.changed();
    const int row = lsvProg_.Selected();
    if (row < 0) return;
    const TProg e = lsvProg_[row];
    tudProgNumeroDe_->SetPosition(e.N);
    SetTime(tudProgDepart_, e.D);
    SetTime(tudProgFin_, e.F);
    DeleteSelected(lsvProg_);
    txtProgTitre_.SetText(TrackTitle(tudProgNumeroDe_->Position()));
}

void ProgrammePage::Refresh() {
    if (player_) player_->LireListe();
    LoadList(cbxProgTitre_.Text());
}

std::vector<std::string> ProgrammePage::Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < cbxProgTitre_.Count(); ++i)
        names.push_back(cbxProgTitre_.Item(i));
    return names;
}

void ProgrammePage::Apply() {
    option_.ProgEnreg = cseProgEnreg_.Checked();
    option_.ProgLecture = cseProgLecture_.Checked();
    SpinEdit* fields[] = {&tudProgNumeroDe_, &tudProgNumeroA_, &tudProgDepart_, &tudProgFin_};
    for (size_t i = 0; i < kept_.size(); ++i) {
        const int shown = (*fields[i])->Position();
        store_.WriteInteger(kSectionProgramme, kFieldKeys[i],
                            shown == kept_[i].shown ? kept_[i].read : shown, true);
    }
    SaveColumnWidths(lsvProg_.view, store_, kSectionProgrammeMusic);
    // The name as typed, trimmed once here: the names, the section and the
    // current programme all use this one form.
    const std::string text = TypedName();
    if (text != cbxProgTitre_.Text()) cbxProgTitre_.SetText(text);
    std::vector<std::string> names = Names();
    if (!text.empty() && !HasProgrammeName(names, text)) {
        cbxProgTitre_.Add(text);
        names.push_back(text);
    }
    WriteProgrammeNames(store_, names);
    // The shown programme becomes the current one: its entries are what the
    // program saves under the current name from now on.
    const std::string name = text.empty() ? std::string(kDefaultProgramme) : text;
    const bool other = option_.ProgTitre != name;
    FollowRecording();
    std::vector<TProg> entries = lsvProg_.Rows();
    WriteProgramme(store_, name, entries);
    option_.ProgTitre = name;
    option_.Programme = std::move(entries);
    option_.ProgNb = static_cast<int>(option_.Programme.size());
    ShowsProgramme(name);
    if (other && option_.ProgLecture && context_.host.restartReplay) context_.host.restartReplay();
}

void ProgrammePage::Defaults() {
    cseProgEnreg_.SetChecked(false);
    cseProgLecture_.SetChecked(false);
    cbxProgTitre_.Clear();
    cbxProgTitre_.SetText(kDefaultProgramme);
    lsvProg_.EraseAll();
    ShowsProgramme(std::string(kDefaultProgramme));
    tudProgNumeroA_->SetPosition(0);
    tudProgNumeroDe_->SetPosition(0);
    tudProgDepart_->SetPosition(0);
    tudProgFin_->SetPosition(0);
    TrackChanged(tudProgNumeroDe_);
    context_.changed();
}

} // namespace pilotune
