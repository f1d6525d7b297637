#pragma once
// TfrmArreter: the modal ten-second countdown before shutting the computer
// down or restarting it, with the choice between the two, "force the programs
// to close", and "Annuler".
#include <functional>

#include "system/Shutdown.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/ComboBoxWin32.h"
#include "ui/DialogWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

inline constexpr wchar_t kArreterClass[] = L"TfrmArreter";
inline constexpr int kArreterLabelId = 100;  // lblArreter
inline constexpr int kArreterChoixId = 101;  // cbxChoix
inline constexpr int kArreterForcerId = 102; // cseForcer
// btAnnuler has the id IDCANCEL.

// Shown at zero, after the request, when the settings could not be written.
inline constexpr char kArreterNonEnregistre[] = "Les réglages n'ont pas pu être enregistrés.";

class TfrmArreter final : public Dialog {
  public:
    struct Choice {
        int total = 10;       // seconds
        bool force = true;    // "Forcer la fermeture des programmes"
        bool restart = false; // "Rédémarrer l'ordinateur" selected
        int tickMs = kCountdownTickMs;
    };

    // `saveSettings` writes the settings file out at zero, before the
    // request, and tells whether it could; it never waits for the user.
    TfrmArreter(ShutdownRequest& request, std::function<bool()> saveSettings);
    ~TfrmArreter() override { Destroy(); }

    // Creates the window, shows it centred and runs the countdown; returns
    // when the window has closed ("Annuler", Escape or the close box).
    void ShowModal(HWND owner, const Choice& choice);
    // Another request while the window is open: the window comes to the
    // front with that choice; a count that ended without the session ending
    // starts again.
    void Renew(bool restart);

  private:
    void OnTick();
    void StartCount();

    ShutdownRequest& request_;
    std::function<bool()> saveSettings_;
    Countdown countdown_{10};
    int tickMs_ = kCountdownTickMs;
    bool ending_ = false; // between zero and the request
    bool ended_ = false;  // the request has been made
    Picture imgArreter_;
    Static lblArreter_;
    ComboBox cbxChoix_;
    CheckBox cseForcer_;
    Button btAnnuler_;
};

} // namespace pilotune
