#pragma once
// TfrmArreter: the modal ten-second countdown before shutting the computer
// down or restarting it, with the choice between the two, "force the programs
// to close", and "Annuler".
#include <functional>

#include "system/Shutdown.h"
#include "ui/WindowWin32.h"

namespace pilotune {

inline constexpr wchar_t kArreterClass[] = L"TfrmArreter";
inline constexpr int kArreterLabelId = 100;  // lblArreter
inline constexpr int kArreterChoixId = 101;  // cbxChoix
inline constexpr int kArreterForcerId = 102; // cseForcer
// btAnnuler has the id IDCANCEL.

class TfrmArreter final : public Window {
  public:
    struct Choice {
        int total = 10;       // seconds
        bool force = true;    // "Forcer la fermeture des programmes"
        bool restart = false; // "Rédémarrer l'ordinateur" selected
        int tickMs = kCountdownTickMs;
    };

    // `saveSettings` writes the settings file out just before the request.
    TfrmArreter(ShutdownRequest& request, std::function<void()> saveSettings);

    // Creates the window, shows it centred and runs the countdown; returns
    // when the window has closed ("Annuler" or the close box).
    void ShowModal(HWND owner, const Choice& choice);

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;
    void OnTick();

    ShutdownRequest& request_;
    std::function<void()> saveSettings_;
    Countdown countdown_{10};
    HWND label_ = nullptr, choix_ = nullptr, forcer_ = nullptr;
    HICON icon_ = nullptr;
};

} // namespace pilotune
