#include "options/CopyPageWin32.h"

#include <commctrl.h>

#include <algorithm>

#include "base/EncodingWin32.h"
#include "options/ColumnWidthsWin32.h"
#include "options/PagePicturesWin32.h"
#include "options/ProgrammePageWin32.h"
#include "options/TrackRangeWin32.h"
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

bool IsFolder(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

CopyPage::CopyPage(PageContext& context)
    : context_(context), store_(context.store), option_(context.option),
      player_(context.host.player), copies_(context.host.copies), lsvCopie_([](const Row& row) {
          return std::vector<std::string>{std::to_string(row.stored.numero), row.title,
                                          row.stored.status};
      }) {
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
        SetTrackMask(*s, 1);
        (*s)->SetText("0 000 001");
    }
    txtCopieTitre_.Create(page, "", {x + 192, y + 40, 241, 21},
                          kAnchorLeft | kAnchorRight | kAnchorTop);
    txtCopieTitre_.SetReadOnly(true);
    cmdCopieAjouter_.Create(page, "Ajouter", {x + 440, y + 38, 89, 25}, kAnchorRight | kAnchorTop);
    lsvCopie_.view.Create(page, {x + 8, y + 72, kListWidth, 168}, kAnchorAll, false);
    const char* titles[] = {"Numéro", "Titre", "Etat de la copie"};
    for (std::size_t c = 0; c < kColumnWidths.size(); ++c)
        lsvCopie_.view.AddColumn(titles[c], kColumnWidths[c]);
    cmdCopieCopier_.Create(page, "Copier", {x + 437, y + 244, 89, 25},
                           kAnchorRight | kAnchorBottom);
    gbxCopieChemin_.SendToBack();
    gbxCopieDirect_.SendToBack();
    (*tudCopieNumeroDe_).OnChange = [this] { TrackChanged(tudCopieNumeroDe_); };
    (*tudCopieNumeroA_).OnChange = [this] { TrackChanged(tudCopieNumeroA_); };
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

void CopyPage::Fill() {
    LoadColumnWidths(lsvCopie_.view, store_, kSectionCopie, kColumnWidths, context_.dialog.Dpi());
    cseCopieAfficheBT_.SetChecked(option_.AfficheBT);
    txtCopieChemin_.SetText(option_.CopyPath);
    const int tracks = (player_ ? player_->NbTitres() : 0);
    SetTrackMask(tudCopieNumeroDe_, tracks);
    SetTrackMask(tudCopieNumeroA_, tracks);
    tudCopieNumeroDe_->SetPosition(1);
    tudCopieNumeroA_->SetPosition(tudCopieNumeroDe_->Position());
    TrackChanged(tudCopieNumeroDe_);
    lsvCopie_.EraseAll();
    // The rows of a running copy keep their names: its statuses show as they come.
    InsertRows(ReadCopyList(store_), true);
    lastRow_ = -1;
}

void CopyPage::InsertRows(const std::vector<CopyRow>& rows, bool stored) {
    // Every title in one reading of the playlist, the list drawn once.
    std::vector<int> numbers;
    for (const CopyRow& row : rows)
        numbers.push_back(row.numero);
    const std::vector<std::string> files =
        player_ ? player_->TrackFiles(numbers) : std::vector<std::string>(numbers.size());
    lsvCopie_.view.Redraw(false);
    const int first = lsvCopie_.Count();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int at = first + static_cast<int>(i);
        lsvCopie_.Add({rows[i],
                       rows[i].numero > 0 ? std::string(FileNamePart(files[i])) : std::string(),
                       stored && copies_ ? copies_->IdOf(at - first) : -1});
    }
    lsvCopie_.view.Redraw(true);
}

std::vector<CopyRow> CopyPage::StoredRows() const {
    std::vector<CopyRow> rows;
    for (const Row& row : lsvCopie_.Rows())
        rows.push_back(row.stored);
    return rows;
}

void CopyPage::CopyStatuses(const std::vector<std::pair<long long, std::string>>& statuses) {
    if (!lsvCopie_.view.Handle()) return; // the dialog has closed
    for (const auto& [id, status] : statuses) {
        const int row = RowOf(id);
        if (row < 0) continue;
        lsvCopie_.At(row).stored.status = status;
        lsvCopie_.Show(row);
    }
}

void CopyPage::CopyFinished() {
    if (lsvCopie_.view.Handle()) context_.changed();
}

int CopyPage::RowOf(long long id) {
    // The statuses come in list order: the row after the last one, unless the
    // user moved or deleted rows meanwhile.
    const std::vector<Row>& rows = lsvCopie_.Rows();
    if (lastRow_ + 1 < lsvCopie_.Count() && rows[static_cast<std::size_t>(lastRow_ + 1)].id == id)
        return ++lastRow_;
    const auto at =
        std::find_if(rows.begin(), rows.end(), [id](const Row& r) { return r.id == id; });
    lastRow_ = at == rows.end() ? -1 : static_cast<int>(at - rows.begin());
    return lastRow_;
}

void CopyPage::TrackChanged(const SpinEdit& changed) {
    FollowTrackRange(tudCopieNumeroDe_, tudCopieNumeroA_, changed, txtCopieTitre_, player_);
    context_.changed();
}

void CopyPage::Add() {
    const int from = tudCopieNumeroDe_->Position(), to = tudCopieNumeroA_->Position();
    txtCopieTitre_.SetText(TrackTitle(player_, from));
    // The list stays within what a later reading takes back whole.
    const long long room = kMaxListCount - static_cast<long long>(lsvCopie_.Count());
    if (to >= from && to - from + 1LL > room) Messages().Info(kCopyListFull);
    std::vector<CopyRow> rows;
    for (long long n = from; n <= to && static_cast<long long>(rows.size()) < room; ++n)
        rows.push_back({static_cast<int>(n), ""});
    InsertRows(rows, false);
    if (lsvCopie_.Count() > 0)
        ListView_EnsureVisible(lsvCopie_.view.Handle(), lsvCopie_.Count() - 1, FALSE);
    context_.changed();
}

void CopyPage::TakeBack() {
    const int row = lsvCopie_.Selected();
    if (row < 0) return;
    const int numero = lsvCopie_[row].stored.numero;
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
    const std::vector<CopyRow> rows = StoredRows();
    std::vector<int> numbers;
    for (const CopyRow& row : rows)
        numbers.push_back(row.numero);
    const std::vector<std::string> files =
        player_ ? player_->TrackFiles(numbers) : std::vector<std::string>(numbers.size());
    if (!copies_->Start(option_.CopyPath, rows, files)) return;
    // The list as shown is now the stored one, each row named by its place.
    for (int r = 0; r < lsvCopie_.Count(); ++r)
        lsvCopie_.At(r).id = r;
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
    SaveColumnWidths(lsvCopie_.view, store_, kSectionCopie);
    option_.AfficheBT = cseCopieAfficheBT_.Checked();
    option_.CopyPath = txtCopieChemin_.Text();
    std::vector<long long> ids;
    for (const Row& row : lsvCopie_.Rows())
        ids.push_back(row.id);
    WriteCopyList(store_, StoredRows());
    if (copies_) copies_->Saved(ids);
}

void CopyPage::Defaults() {
    cseCopieAfficheBT_.SetChecked(false);
    txtCopieChemin_.SetText("C:\\Music");
    tudCopieNumeroDe_->SetPosition(1);
    tudCopieNumeroA_->SetPosition(1);
    TrackChanged(tudCopieNumeroDe_);
    lsvCopie_.EraseAll();
    context_.changed();
}

} // namespace pilotune
