#pragma once
// The page "Copie music" of the options dialog: the bar's copy button, the
// copy folder, and a list of tracks copied in one go off the interface
// thread, each row showing its last copy's status.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "components/SpinEditWin32.h"
#include "copy/ListCopyWin32.h"
#include "options/ListGesturesWin32.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/EditWin32.h"
#include "ui/GroupBoxWin32.h"
#include "ui/ListViewWin32.h"
#include "ui/PanelWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

class COption;
class SettingsStore;
class TPilotune;

inline constexpr int kOptCopieAfficheBT = 1600;
inline constexpr int kOptCopieCheminGroup = 1601;
inline constexpr int kOptCopieChemin = 1602;
inline constexpr int kOptCopieParcourir = 1603;
inline constexpr int kOptCopieDirectGroup = 1604;
inline constexpr int kOptCopieNumeroDeLabel = 1605;
inline constexpr int kOptCopieNumeroALabel = 1606;
inline constexpr int kOptCopieTitreLabel = 1607;
inline constexpr int kOptCopieNumeroDe = 1608;
inline constexpr int kOptCopieNumeroA = 1609;
inline constexpr int kOptCopieTitre = 1610;
inline constexpr int kOptCopieAjouter = 1611;
inline constexpr int kOptCopieList = 1612;
inline constexpr int kOptCopieCopier = 1613;

inline constexpr char kCopyFolderTitle[] = "Répertoire où seront copié les musiques";
// Posted to the dialog by the list copy's worker.
inline constexpr UINT kMsgCopyStatus = WM_APP + 40;
inline constexpr UINT kMsgCopyFinished = WM_APP + 41;

class CopyPage {
  public:
    // `shellOwner` owns the shell's progress and error windows (the bar).
    CopyPage(Container& dialog, SettingsStore& store, COption& option, TPilotune* player,
             HWND shellOwner, std::function<void()> changed);

    void Build(Panel& page);
    void Fill();
    void Apply();
    void Defaults();
    void Add();
    void TakeBack();
    // Copies the listed tracks on a worker; nothing while a list copy runs.
    void Copy();
    void Browse();
    std::function<void(const ListCommands&)> onMenu;

  private:
    std::string TrackTitle(int n) const;
    void TrackChanged(bool first);
    void AddRow(int numero, const std::string& status);
    int RowOf(long long id);
    void ShowStatuses();

    Container& dialog_;
    SettingsStore& store_;
    COption& option_;
    TPilotune* player_;
    HWND shellOwner_;
    std::function<void()> changed_;
    long long nextId_ = 1;                       // each row's name for the worker
    int lastRow_ = -1;                           // the row of the last status shown
    std::shared_ptr<CopyStatusMailbox> mailbox_; // of the last copy started
    ULONGLONG statusesShownAt_ = 0;              // GetTickCount64 of the last showing
    bool statusesWaiting_ = false;               // the timer will show them

    CheckBox cseCopieAfficheBT_;
    GroupBox gbxCopieChemin_, gbxCopieDirect_;
    Edit txtCopieChemin_, txtCopieTitre_;
    Button btgCopieParcourir_, cmdCopieAjouter_, cmdCopieCopier_;
    Static lblCopieNumeroDe_, lblCopieNumeroA_, lblCopieTitre_;
    SpinEdit tudCopieNumeroDe_, tudCopieNumeroA_;
    ListView lsvCopie_;
};

} // namespace pilotune
