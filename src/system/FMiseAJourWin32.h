#pragma once
// TfrmMiseAJour: the result of the update check, with "Mettre à jour" (opens
// the download address), "Fermer" and, for a new version, "Voir plus d'info"
// (unfolds the details).
#include <windows.h>

#include <functional>
#include <string>

#include "system/UpdateCheckWin32.h" // the action that shows this window
#include "ui/WindowWin32.h"

namespace pilotune {

class SettingsStore;

inline constexpr wchar_t kMiseAJourClass[] = L"TfrmMiseAJour";
inline constexpr int kMajMessageId = 100;    // lblMAJ
inline constexpr int kMajDetailId = 101;     // cmdDetail
inline constexpr int kMajGroupId = 102;      // gbxDetail
inline constexpr int kMajDetailTextId = 103; // lblDetail
// cmdOK has the id IDOK, cmdAnnuler IDCANCEL.
inline constexpr int kMajClientHeight = 105; // folded

// Opens an address for the user.
using AddressOpener = std::function<void(const std::string&)>;
// The shell's "open" verb, maximised; anything but an http(s) address is refused.
void OpenWebAddress(const std::string& address);

class TfrmMiseAJour final : public Window {
  public:
    TfrmMiseAJour(UpdateResult result, AddressOpener open);
    // Shows the window centred and returns when it has closed.
    void ShowModal(HWND owner);

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;
    void ToggleDetails();
    void SetClientHeight(int height);

    UpdateResult result_;
    AddressOpener open_;
    bool detailsShown_ = false;
    int groupHeight_ = 193;
    HICON icon_ = nullptr;
};

} // namespace pilotune
