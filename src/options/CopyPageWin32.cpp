#include "options/CopyPageWin32.h"

#include <commctrl.h>

#include <charconv>

#include "base/EncodingWin32.h"
#include "options/ColumnWidthsWin32.h"
#include "options/PagePicturesWin32.h"
#include "options/ProgrammePageWin32.h"
#include "copy/CopyList.h"
#include "base/Messages.h"
#include "player/Playlist.h"
#include "player/Winamp.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"
#include "ui/FileDialogsWin32.h"

namespace pilotune {

namespace {
constexpr int kListWidth = 521;
const std::vector<int> kColumnWidths = {70, 300, kListWidth - 375};

int Number(const std::string& text) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    return error == std::errc{} && end == text.data() + text.size() ? n : 0;
}

bool IsFolder(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

CopyPage::CopyPage(PageContext& context)
    : context_(context), store_(context.store), option_(context.option),
      player_(context.host.player), copies_(context.host.copies) {
    cseCopieAfficheBT_.onChanged = [this] { context_.changed(); };
    txtCopieChemin_.onChange = [this] { context_.changed(); };
    txtCopieTitre_.onChange = [this] { context_.changed(); };
    btgCopieParcourir_.onClick = [this] { Browse(); };
    cmdCopieAjouter_.onClick = [this] { Add(); };
    cmdCopieCopier_.onClick = [this] { Copy(); };
    lblCopieNumeroDe_.onClick = [this] {
        tudCopieNumeroDe_->SetPosition((player_ ? player_->NumeroTitre() : 0));
    };
    lblCopieNumeroA_.onClick = [this] {
        tudCopieNumeroA_->SetPosition((player_ ? player_->NumeroTitre() : 0));
    };
    if (copies_) copies_->Watch(this);
}

void CopyPage::DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const {
    DrawCopyPicture(dc, r, dpi, enabled);
}

CopyPage::~CopyPage() {
    if (copies_) copies_->Watch(nullptr);
}

void CopyPage::Build(Panel& page) {
    cseCopieAfficheBT_.Create(page, "Afficher le bouton de copie dans la barre de contrôle",
                              {16, 16, 521, 17});
    cseCopieAfficheBT_.SetFont(page.BoldFont());
    constexpr unsigned kWide = kAnchorLeft | kAnchorTop | kAnchorRight;
    gbxCopieChemin_.Create(page, "Chemin de destination où seront copié les chansons",
                           {8, 56, 537, 57}, kWide);
    txtCopieChemin_.Create(page, "", {16, 76, 481, 21}, kWide);
    btgCopieParcourir_.Create(page, "...", {504, 74, 33, 25}, kAnchorTop | kAnchorRight);
    gbxCopieDirect_.Create(page, "Copie de musique direct", {8, 136, 537, 275}, kAnchorAll);
    constexpr int x = 8, y = 136; // the group's origin
    lblCopieNumeroDe_.CreateClickable(page, "Numéro de :", {x + 8, y + 24, 81, 13});
    lblCopieNumeroA_.CreateClickable(page, "Numéro à :", {x + 97, y + 26, 88, 13});
    lblCopieTitre_.Create(page, "Titre", {x + 208, y + 24, 100, 13}, kAnchorTopLeft);
    tudCopieNumeroDe_.Create(page, {x + 8, y + 40, 81, 21});
    tudCopieNumeroA_.Create(page, {x + 96, y + 40, 89, 21});
    for (SpinEdit* s : {&tudCopieNumeroDe_, &tudCopieNumeroA_}) {
        (*s)->SetCoeficient("1000000 1000 1");
        (*s)->SetMaskMin("0 000 001");
        (*s)->SetMaskMax("1");
        (*s)->SetText("0 000 001");
    }
    txtCopieTitre_.Create(page, "", {x + 192, y + 40, 241, 21},
                          kAnchorLeft | kAnchorRight | kAnchorTop);
    txtCopieTitre_.SetReadOnly(true);
    cmdCopieAjouter_.Create(page, "Ajouter", {x + 440, y + 38, 89, 25}, kAnchorRight | kAnchorTop);
    lsvCopie_.Create(page, {x + 8, y + 72, kListWidth, 168}, kAnchorAll, false);
    const char* titles[] = {"Numéro", "Titre", "Etat de la copie"};
    for (std::size_t c = 0; c < kColumnWidths.size(); ++c)
        lsvCopie_.AddColumn(titles[c], kColumnWidths[c]);
    cmdCopieCopier_.Create(page, "Copier", {x + 437, y + 244, 89, 25},
                           kAnchorRight | kAnchorBottom);
    gbxCopieChemin_.SendToBack();
    gbxCopieDirect_.SendToBack();
    (*tudCopieNumeroDe_).OnChange = [this] { TrackChanged(true); };
    (*tudCopieNumeroA_).OnChange = [this] { TrackChanged(false); };
    WireList(
        lsvCopie_, page.Dpi(), false, [this] { context_.changed(); }, [this] { TakeBack(); },
        [this] {
            // "Rafraichir" re-reads the playlist and the programme shown.
            context_.showMenu({.list = &lsvCopie_,
                               .add = [this] { Add(); },
                               .takeBack = [this] { TakeBack(); },
                               .refresh =
                                   [this] {
                                       if (auto* p = context_.pages.Ready<ProgrammePage>())
                                           p->Refresh();
                                   },
                               .copy = [this] { Copy(); }});
        });
}

std::string CopyPage::TrackTitle(int n) const {
    if (n < 1) return {};
    return std::string(FileNamePart((player_ ? player_->FichierTitre(n) : std::string())));
}

void CopyPage::Fill() {
    LoadColumnWidths(lsvCopie_, store_, kSectionCopie, kColumnWidths, context_.dialog.Dpi());
    cseCopieAfficheBT_.SetChecked(option_.AfficheBT);
    txtCopieChemin_.SetText(option_.CopyPath);
    const int tracks = (player_ ? player_->NbTitres() : 0);
    for (SpinEdit* s : {&tudCopieNumeroDe_, &tudCopieNumeroA_})
        (*s)->SetMaskMax(std::to_string(tracks > 0 ? tracks : 1));
    tudCopieNumeroDe_->SetPosition(1);
    tudCopieNumeroA_->SetPosition(tudCopieNumeroDe_->Position());
    TrackChanged(true);
    SendMessageW(lsvCopie_.Handle(), WM_SETREDRAW, FALSE, 0);
    lsvCopie_.Clear();
    // The rows of a running copy keep their names: its statuses show as they come.
    InsertRows(ReadCopyList(store_), true);
    lastRow_ = -1;
    SendMessageW(lsvCopie_.Handle(), WM_SETREDRAW, TRUE, 0);
}

void CopyPage::InsertRows(const std::vector<CopyRow>& rows, bool stored) {
    // Every title in one reading of the playlist, the list drawn once.
    std::vector<int> numbers;
    for (const CopyRow& row : rows)
        numbers.push_back(row.numero);
    const std::vector<std::string> files =
        player_ ? player_->TrackFiles(numbers) : std::vector<std::string>(numbers.size());
    SendMessageW(lsvCopie_.Handle(), WM_SETREDRAW, FALSE, 0);
    const int first = lsvCopie_.Count();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int at = lsvCopie_.InsertRow(std::to_string(rows[i].numero));
        lsvCopie_.SetCell(at, 1, rows[i].numero > 0 ? std::string(FileNamePart(files[i])) : "");
        if (!rows[i].status.empty()) lsvCopie_.SetCell(at, 2, rows[i].status);
        SetId(at, stored && copies_ ? copies_->IdOf(at - first) : -1);
    }
    SendMessageW(lsvCopie_.Handle(), WM_SETREDRAW, TRUE, 0);
}

void CopyPage::SetId(int row, long long id) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = static_cast<LPARAM>(id);
    SendMessageW(lsvCopie_.Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

long long CopyPage::IdAt(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(lsvCopie_.Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<long long>(item.lParam);
}

void CopyPage::CopyStatuses(const std::vector<std::pair<long long, std::string>>& statuses) {
    if (!lsvCopie_.Handle()) return; // the dialog has closed
    for (const auto& [id, status] : statuses) {
        const int row = RowOf(id);
        if (row >= 0) lsvCopie_.SetCell(row, 2, status);
    }
}

void CopyPage::CopyFinished() {
    if (lsvCopie_.Handle()) context_.changed();
}

int CopyPage::RowOf(long long id) {
    // The statuses come in list order: the row after the last one, unless the
    // user moved or deleted rows meanwhile.
    if (lastRow_ + 1 < lsvCopie_.Count() && IdAt(lastRow_ + 1) == id) return ++lastRow_;
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = static_cast<LPARAM>(id);
    lastRow_ =
        static_cast<int>(SendMessageW(lsvCopie_.Handle(), LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(&find)));
    return lastRow_;
}

void CopyPage::TrackChanged(bool first) {
    SpinEdit& sender = first ? tudCopieNumeroDe_ : tudCopieNumeroA_;
    if (sender->Position() > 0) txtCopieTitre_.SetText(TrackTitle(sender->Position()));
    const int from = tudCopieNumeroDe_->Position(), to = tudCopieNumeroA_->Position();
    if (from > to) {
        if (first)
            tudCopieNumeroA_->SetPosition(from);
        else
            tudCopieNumeroDe_->SetPosition(to);
    }
    context_.changed();
}

void CopyPage::Add() {
    const int from = tudCopieNumeroDe_->Position(), to = tudCopieNumeroA_->Position();
    txtCopieTitre_.SetText(TrackTitle(from));
    // The list stays within what a later reading takes back whole.
    const long long room = kMaxListCount - static_cast<long long>(lsvCopie_.Count());
    if (to >= from && to - from + 1LL > room) Messages().Info(kCopyListFull);
    std::vector<CopyRow> rows;
    for (long long n = from; n <= to && static_cast<long long>(rows.size()) < room; ++n)
        rows.push_back({static_cast<int>(n), ""});
    InsertRows(rows, false);
    if (lsvCopie_.Count() > 0)
        ListView_EnsureVisible(lsvCopie_.Handle(), lsvCopie_.Count() - 1, FALSE);
    context_.changed();
}

void CopyPage::TakeBack() {
    const int row = lsvCopie_.Selected();
    if (row < 0) return;
    const int numero = Number(lsvCopie_.Cell(row, 0));
    tudCopieNumeroDe_->SetPosition(numero);
    tudCopieNumeroA_->SetPosition(numero);
    DeleteSelected(lsvCopie_);
    context_.changed();
}

void CopyPage::Copy() {
    if (!copies_) return;
    if (copies_->Running()) {
        Messages().Info(kCopyRunning);
        return;
    }
    // The folder is the field's at once, whatever becomes of the dialog.
    option_.CopyPath = txtCopieChemin_.Text();
    if (!option_.CopyPath.empty() && option_.CopyPath.back() != '\\') option_.CopyPath += '\\';
    // Every row's file in one reading of the playlist.
    std::vector<CopyRow> rows;
    std::vector<int> numbers;
    for (int r = 0; r < lsvCopie_.Count(); ++r) {
        rows.push_back({Number(lsvCopie_.Cell(r, 0)), lsvCopie_.Cell(r, 2)});
        numbers.push_back(rows.back().numero);
    }
    const std::vector<std::string> files =
        player_ ? player_->TrackFiles(numbers) : std::vector<std::string>(numbers.size());
    if (!copies_->Start(option_.CopyPath, rows, files)) return;
    // The list as shown is now the stored one, each row named by its place.
    for (int r = 0; r < lsvCopie_.Count(); ++r)
        SetId(r, r);
    lastRow_ = -1;
}

void CopyPage::Browse() {
    const std::string field = txtCopieChemin_.Text();
    const std::string start = IsFolder(field) ? field : "c:\\";
    if (std::optional<std::string> folder =
            ChooseFolder(context_.dialog.Handle(), kCopyFolderTitle, start)) {
        txtCopieChemin_.SetText(*folder);
        context_.changed();
    }
}

void CopyPage::Apply() {
    SaveColumnWidths(lsvCopie_, store_, kSectionCopie);
    option_.AfficheBT = cseCopieAfficheBT_.Checked();
    option_.CopyPath = txtCopieChemin_.Text();
    std::vector<CopyRow> rows;
    std::vector<long long> ids;
    for (int r = 0; r < lsvCopie_.Count(); ++r) {
        rows.push_back({Number(lsvCopie_.Cell(r, 0)), lsvCopie_.Cell(r, 2)});
        ids.push_back(IdAt(r));
    }
    WriteCopyList(store_, rows);
    if (copies_) copies_->Saved(ids);
}

void CopyPage::Defaults() {
    cseCopieAfficheBT_.SetChecked(false);
    txtCopieChemin_.SetText("C:\\Music");
    tudCopieNumeroDe_->SetPosition(1);
    tudCopieNumeroA_->SetPosition(1);
    TrackChanged(true);
    lsvCopie_.Clear();
    context_.changed();
}

} // namespace pilotune
