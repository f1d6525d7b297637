#pragma once
// The page "Copie music" of the options dialog: the bar's copy button, the
// copy folder, and a list of tracks copied in one go off the interface
// thread, each row showing its last copy's status.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/SpinEditWin32.h"
#include "copy/CopyList.h"
#include "copy/ListCopyHost.h"
#include "options/ListGesturesWin32.h"
#include "options/OptionsPageWin32.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/EditWin32.h"
#include "ui/GroupBoxWin32.h"
#include "ui/RowListWin32.h"
#include "ui/PanelWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

inline constexpr char kCopyFolderTitle[] = "Répertoire où seront copié les musiques";
inline constexpr char kCopyRunning[] =
    "Une copie de la liste est déjà en cours. Attendez qu'elle se termine.";

inline constexpr char kCopyListFull[] =
    "La liste de copie est pleine : les titres en trop n'ont pas été ajoutés.";

class CopyPage final : public OptionsPage, private ListCopyWatcher {
  public:
    // The host's `copies` runs the list copy, which outlives the dialog.
    explicit CopyPage(PageContext& context);
    ~CopyPage() override;
    CopyPage(const CopyPage&) = delete;
    CopyPage& operator=(const CopyPage&) = delete;

    std::string_view Caption() const override { return "Copie music"; }
    int HelpContext() const override { return 1005; }
    void DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const override;
    void Build(Panel& page) override;
    void Fill() override;
    void Apply() override;
    void Defaults() override;
    void Add();
    void TakeBack();
    // Copies the listed tracks on a worker; while a list copy runs, says so.
    void Copy();
    void Browse();

  private:
    void TrackChanged(const SpinEdit& changed);
    // Appends `rows`; `stored`: they are the stored list, named as the running copy names them.
    void InsertRows(const std::vector<CopyRow>& rows, bool stored);
    int RowOf(long long id);
    // Every row's stored form, in order.
    std::vector<CopyRow> StoredRows() const;
    void CopyStatuses(const std::vector<std::pair<long long, std::string>>& statuses) override;
    void CopyFinished() override;

    PageContext& context_;
    SettingsStore& store_;
    COption& option_;
    TPilotune* player_;
    ListCopyHost* copies_;
    int lastRow_ = -1; // the row of the last status shown

    CheckBox cseCopieAfficheBT_;
    GroupBox gbxCopieChemin_, gbxCopieDirect_;
    Edit txtCopieChemin_, txtCopieTitre_;
    Button btgCopieParcourir_, cmdCopieAjouter_, cmdCopieCopier_;
    Static lblCopieNumeroDe_, lblCopieNumeroA_, lblCopieTitre_;
    SpinEdit tudCopieNumeroDe_, tudCopieNumeroA_;
    // A row: the stored one, its title, and the id the running copy names it by.
    struct Row {
        CopyRow stored;
        std::string title;
        long long id = -1;
    };
    RowList<Row> lsvCopie_;
};

} // namespace pilotune
