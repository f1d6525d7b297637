#pragma once
// TfrmMiseAJour: the result of the update check, with "Mettre à jour" (opens
// the download address), "Fermer" and, for a new version, "Voir plus d'info"
// (unfolds the details).
#include <windows.h>

#include <functional>
#include <string>

#include "system/UpdateCheck.h"
#include "ui/ButtonWin32.h"
#include "ui/DialogWin32.h"
#include "ui/GroupBoxWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

class SettingsStore;

inline constexpr wchar_t kMiseAJourClass[] = L"TfrmMiseAJour";
inline constexpr int kMajMessageId = 100;    // lblMAJ
inline constexpr int kMajDetailId = 101;     // cmdDetail
inline constexpr int kMajGroupId = 102;      // gbxDetail
inline constexpr int kMajDetailTextId = 103; // lblDetail
// cmdOK has the id IDOK, cmdAnnuler IDCANCEL.
inline constexpr int kMajClientHeight = 105; // folded, with a message of up to 49 pixels

// Opens an address for the user.
using AddressOpener = std::function<void(const std::string&)>;
// The shell's "open" verb, maximised; anything but an http(s) address is refused.
void OpenWebAddress(const std::string& address);

class TfrmMiseAJour final : public Dialog {
  public:
    TfrmMiseAJour(UpdateResult result, AddressOpener open);
    ~TfrmMiseAJour() override { Destroy(); }
    // Shows the window centred and returns when it has closed.
    void ShowModal(HWND owner);

  private:
    void ToggleDetails();

    UpdateResult result_;
    AddressOpener open_;
    bool detailsShown_ = false;
    int grown_ = 0; // design pixels the message needs beyond its 49
    int groupHeight_ = 193;
    Picture imgMAJ_;
    Static lblMAJ_;
    Button cmdDetail_, cmdOK_, cmdAnnuler_;
    GroupBox gbxDetail_;
    Static lblDetail_;
};

} // namespace pilotune
