#include "options/CopyPageWin32.h"

#include <commctrl.h>

#include <charconv>

#include "base/EncodingWin32.h"
#include "copy/CopyList.h"
#include "copy/ListCopyWin32.h"
#include "player/Playlist.h"
#include "player/Winamp.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "ui/FileDialogsWin32.h"

namespace pilotune {

namespace {
constexpr int kColumnWidths[] = {70, 300};
constexpr ULONGLONG kStatusPeriodMs = 50;
constexpr UINT_PTR kStatusTimer = 1;
constexpr int kListWidth = 521;

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

CopyPage::CopyPage(Container& dialog, SettingsStore& store, COption& option, TPilotune* player,
                   HWND shellOwner, std::function<void()> changed)
    : dialog_(dialog), store_(store), option_(option), player_(player), shellOwner_(shellOwner),
      changed_(std::move(changed)) {
    dialog_.OnCommand(kOptCopieAfficheBT, [this] { changed_(); });
    dialog_.OnCommand(kOptCopieChemin, EN_CHANGE, [this] { changed_(); });
    dialog_.OnCommand(kOptCopieTitre, EN_CHANGE, [this] { changed_(); });
    dialog_.OnCommand(kOptCopieParcourir, [this] { Browse(); });
    dialog_.OnCommand(kOptCopieAjouter, [this] { Add(); });
    dialog_.OnCommand(kOptCopieCopier, [this] { Copy(); });
    dialog_.OnCommand(kOptCopieNumeroDeLabel, [this] {
        tudCopieNumeroDe_->SetPosition((player_ ? player_->NumeroTitre() : 0));
    });
    dialog_.OnCommand(kOptCopieNumeroALabel, [this] {
        tudCopieNumeroA_->SetPosition((player_ ? player_->NumeroTitre() : 0));
    });
    // The statuses show as they come, a few at a time when the copies are
    // quick: the list is updated at most once per kStatusPeriodMs, so that
    // the interface thread does not compete with the worker for every file.
    dialog_.OnMessage(kMsgCopyStatus, [this](WPARAM, LPARAM) -> LRESULT {
        const ULONGLONG since = GetTickCount64() - statusesShownAt_;
        if (since >= kStatusPeriodMs) {
            ShowStatuses();
        } else if (!statusesWaiting_) {
            statusesWaiting_ = true;
            SetTimer(dialog_.Handle(), kStatusTimer, static_cast<UINT>(kStatusPeriodMs - since),
                     nullptr);
        }
        return 0;
    });
    dialog_.OnMessage(WM_TIMER, [this](WPARAM id, LPARAM) -> LRESULT {
        if (id == kStatusTimer) ShowStatuses();
        return 0;
    });
    dialog_.OnMessage(kMsgCopyFinished, [this](WPARAM, LPARAM) -> LRESULT {
        ShowStatuses();
        changed_();
        return 0;
    });
}

void CopyPage::Build(Panel& page) {
    cseCopieAfficheBT_.Create(page, "Afficher le bouton de copie dans la barre de contrôle",
                              {16, 16, 521, 17}, kOptCopieAfficheBT);
    cseCopieAfficheBT_.SetFont(page.BoldFont());
    constexpr unsigned kWide = kAnchorLeft | kAnchorTop | kAnchorRight;
    gbxCopieChemin_.Create(page, "Chemin de destination où seront copié les chansons",
                           {8, 56, 537, 57}, kOptCopieCheminGroup, kWide);
    txtCopieChemin_.Create(page, "", {16, 76, 481, 21}, kOptCopieChemin, kWide);
    btgCopieParcourir_.Create(page, "...", {504, 74, 33, 25}, kOptCopieParcourir,
                              kAnchorTop | kAnchorRight);
    gbxCopieDirect_.Create(page, "Copie de musique direct", {8, 136, 537, 275},
                           kOptCopieDirectGroup, kAnchorAll);
    constexpr int x = 8, y = 136; // the group's origin
    const DWORD clickable = SS_CENTER | SS_NOTIFY | SS_NOPREFIX;
    lblCopieNumeroDe_.hwnd = page.AddControl(L"STATIC", "Numéro de :", clickable,
                                             {x + 8, y + 24, 81, 13}, kOptCopieNumeroDeLabel);
    lblCopieNumeroA_.hwnd = page.AddControl(L"STATIC", "Numéro à :", clickable,
                                            {x + 97, y + 26, 88, 13}, kOptCopieNumeroALabel);
    lblCopieTitre_.Create(page, "Titre", {x + 208, y + 24, 100, 13}, kOptCopieTitreLabel);
    tudCopieNumeroDe_.Create(page, {x + 8, y + 40, 81, 21}, kOptCopieNumeroDe);
    tudCopieNumeroA_.Create(page, {x + 96, y + 40, 89, 21}, kOptCopieNumeroA);
    for (SpinEdit* s : {&tudCopieNumeroDe_, &tudCopieNumeroA_}) {
        (*s)->SetCoeficient("1000000 1000 1");
        (*s)->SetMaskMin("0 000 001");
        (*s)->SetMaskMax("1");
        (*s)->SetText("0 000 001");
    }
    txtCopieTitre_.Create(page, "", {x + 192, y + 40, 241, 21}, kOptCopieTitre,
                          kAnchorLeft | kAnchorRight | kAnchorTop);
    txtCopieTitre_.SetReadOnly(true);
    cmdCopieAjouter_.Create(page, "Ajouter", {x + 440, y + 38, 89, 25}, kOptCopieAjouter,
                            kAnchorRight | kAnchorTop);
    lsvCopie_.Create(page, {x + 8, y + 72, kListWidth, 168}, kOptCopieList, kAnchorAll, false);
    lsvCopie_.AddColumn("Numéro", kColumnWidths[0]);
    lsvCopie_.AddColumn("Titre", kColumnWidths[1]);
    lsvCopie_.AddColumn("Etat de la copie", kListWidth - 375);
    cmdCopieCopier_.Create(page, "Copier", {x + 437, y + 244, 89, 25}, kOptCopieCopier,
                           kAnchorRight | kAnchorBottom);
    // The frames lie beneath the controls they hold, whatever paints first.
    for (const GroupBox* g : {&gbxCopieChemin_, &gbxCopieDirect_})
        SetWindowPos(g->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    (*tudCopieNumeroDe_).OnChange = [this] { TrackChanged(true); };
    (*tudCopieNumeroA_).OnChange = [this] { TrackChanged(false); };
    WireList(
        lsvCopie_, page.Dpi(), false, [this] { changed_(); }, [this] { TakeBack(); },
        [this] {
            if (onMenu)
                onMenu({.list = &lsvCopie_,
                        .add = [this] { Add(); },
                        .takeBack = [this] { TakeBack(); },
                        .copy = [this] { Copy(); }});
        });
}

std::string CopyPage::TrackTitle(int n) const {
    if (n < 1) return {};
    return std::string(FileNamePart((player_ ? player_->FichierTitre(n) : std::string())));
}

void CopyPage::Fill() {
    ListView_SetColumnWidth(lsvCopie_.Handle(), 0,
                            store_.ReadInteger(kSectionCopie, "Largeur colonnes 0",
                                               dialog_.Scale(kColumnWidths[0]), true));
    ListView_SetColumnWidth(lsvCopie_.Handle(), 1,
                            store_.ReadInteger(kSectionCopie, "Largeur colonnes 1",
                                               dialog_.Scale(kColumnWidths[1]), true));
    ListView_SetColumnWidth(lsvCopie_.Handle(), 2,
                            store_.ReadInteger(kSectionCopie, "Largeur colonnes 2",
                                               dialog_.Scale(kListWidth - 375), true));
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
    for (const CopyRow& row : ReadCopyList(store_))
        AddRow(row.numero, row.status);
    SendMessageW(lsvCopie_.Handle(), WM_SETREDRAW, TRUE, 0);
}

void CopyPage::AddRow(int numero, const std::string& status) {
    const std::string n = std::to_string(numero);
    const std::string title = TrackTitle(numero);
    const int at = lsvCopie_.InsertRow(n);
    lsvCopie_.SetCell(at, 1, title);
    lsvCopie_.SetCell(at, 2, status);
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = at;
    item.lParam = static_cast<LPARAM>(nextId_++);
    SendMessageW(lsvCopie_.Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void CopyPage::ShowStatuses() {
    if (statusesWaiting_) KillTimer(dialog_.Handle(), kStatusTimer);
    statusesWaiting_ = false;
    statusesShownAt_ = GetTickCount64();
    if (!mailbox_) return;
    for (const auto& [id, status] : mailbox_->Take()) {
        const int row = lsvCopie_.Handle() ? RowOf(id) : -1;
        if (row >= 0) lsvCopie_.SetCell(row, 2, status);
    }
}

int CopyPage::RowOf(long long id) {
    // The statuses come in list order: the row after the last one, unless the
    // user moved or deleted rows meanwhile.
    LVITEMW next{};
    next.mask = LVIF_PARAM;
    next.iItem = lastRow_ + 1;
    if (SendMessageW(lsvCopie_.Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&next)) &&
        next.lParam == static_cast<LPARAM>(id))
        return ++lastRow_;
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
    changed_();
}

void CopyPage::Add() {
    const int from = tudCopieNumeroDe_->Position(), to = tudCopieNumeroA_->Position();
    txtCopieTitre_.SetText(TrackTitle(from));
    for (int n = from; n <= to; ++n)
        AddRow(n, "");
    if (lsvCopie_.Count() > 0)
        ListView_EnsureVisible(lsvCopie_.Handle(), lsvCopie_.Count() - 1, FALSE);
    changed_();
}

void CopyPage::TakeBack() {
    const int row = lsvCopie_.Selected();
    if (row < 0) return;
    const int numero = Number(lsvCopie_.Cell(row, 0));
    tudCopieNumeroDe_->SetPosition(numero);
    tudCopieNumeroA_->SetPosition(numero);
    DeleteSelected(lsvCopie_);
    changed_();
}

void CopyPage::Copy() {
    if (ListCopyRunning()) return;
    // The folder is the field's at once, whatever becomes of the dialog.
    option_.CopyPath = txtCopieChemin_.Text();
    if (!option_.CopyPath.empty() && option_.CopyPath.back() != '\\') option_.CopyPath += '\\';
    ListCopyJob job;
    job.folder = option_.CopyPath;
    lastRow_ = -1;
    // Every row's file in one reading of the playlist.
    std::vector<int> numbers;
    for (int r = 0; r < lsvCopie_.Count(); ++r)
        numbers.push_back(Number(lsvCopie_.Cell(r, 0)));
    const std::vector<std::string> files =
        player_ ? player_->TrackFiles(numbers) : std::vector<std::string>(numbers.size());
    for (int r = 0; r < lsvCopie_.Count(); ++r) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = r;
        SendMessageW(lsvCopie_.Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        job.items.push_back({static_cast<long long>(item.lParam), files[static_cast<size_t>(r)]});
    }
    const HWND owner = shellOwner_, target = dialog_.Handle();
    job.files = [owner] { return WorkerShellCopy(owner); };
    mailbox_ = std::make_shared<CopyStatusMailbox>(target, kMsgCopyStatus);
    job.copied = [mailbox = mailbox_](long long id, const std::string& status) {
        mailbox->Put(id, status);
    };
    job.finished = [target] { PostMessageW(target, kMsgCopyFinished, 0, 0); };
    StartListCopy(std::move(job));
}

void CopyPage::Browse() {
    const std::string field = txtCopieChemin_.Text();
    const std::string start = IsFolder(field) ? field : "c:\\";
    if (std::optional<std::string> folder =
            ChooseFolder(dialog_.Handle(), kCopyFolderTitle, start)) {
        txtCopieChemin_.SetText(*folder);
        changed_();
    }
}

void CopyPage::Apply() {
    for (int i = 0; i < 3; ++i)
        store_.WriteInteger(kSectionCopie, "Largeur colonnes " + std::to_string(i),
                            ListView_GetColumnWidth(lsvCopie_.Handle(), i), true);
    option_.AfficheBT = cseCopieAfficheBT_.Checked();
    option_.CopyPath = txtCopieChemin_.Text();
    std::vector<CopyRow> rows;
    for (int r = 0; r < lsvCopie_.Count(); ++r)
        rows.push_back({Number(lsvCopie_.Cell(r, 0)), lsvCopie_.Cell(r, 2)});
    WriteCopyList(store_, rows);
}

void CopyPage::Defaults() {
    cseCopieAfficheBT_.SetChecked(false);
    txtCopieChemin_.SetText("C:\\Music");
    tudCopieNumeroDe_->SetPosition(1);
    tudCopieNumeroA_->SetPosition(1);
    TrackChanged(true);
    lsvCopie_.Clear();
    changed_();
}

} // namespace pilotune
