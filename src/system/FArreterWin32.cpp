#include "system/FArreterWin32.h"

#include <string>

#include "base/VersionWin32.h"

namespace pilotune {

namespace {
constexpr UINT_PTR kTimerId = 1;

// What is already queued runs before the request: the label shows zero, and
// an "Annuler" that came meanwhile is seen.
void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchWindowMessage(msg);
    }
}
} // namespace

TfrmArreter::TfrmArreter(ShutdownRequest& request, std::function<bool()> saveSettings)
    : request_(request), saveSettings_(std::move(saveSettings)) {
    OnMessage(WM_TIMER, [this](WPARAM id, LPARAM) {
        if (id == kTimerId) OnTick();
        return LRESULT{0};
    });
}

void TfrmArreter::ShowModal(HWND owner, const Choice& choice) {
    countdown_ = Countdown(choice.total);
    tickMs_ = choice.tickMs;
    ending_ = ended_ = false;
    if (!Create(kArreterClass, {.caption = "Arrêter l'ordinateur",
                                .client = {258, 134},
                                .owner = owner,
                                .topmost = true}))
        return;
    imgArreter_.Create(*this, {8, 8, 33, 33});
    imgArreter_.SetIcon(LoadIconW(nullptr, IDI_WARNING));
    lblArreter_.Create(*this, "", {48, 8, 201, 33}, kArreterLabelId, kAnchorTopLeft,
                       Static::Centre);
    cbxChoix_.Create(*this, {8, 48, 241, 120}, kArreterChoixId);
    cbxChoix_.SetItems({"Arrêter l'ordinateur", "Rédémarrer l'ordinateur"});
    cbxChoix_.Select(choice.restart ? 1 : 0);
    cseForcer_.Create(*this, "Forcer la fermeture des programmes", {8, 72, 241, 17},
                      kArreterForcerId, kAnchorTopLeft, choice.force);
    btAnnuler_.Create(*this, "Annuler", {8, 96, 241, 33}, IDCANCEL, kAnchorTopLeft, true);
    btAnnuler_.SetFont(BoldFont());
    StartCount();
    Dialog::ShowModal(btAnnuler_.Handle());
}

void TfrmArreter::StartCount() {
    countdown_ = Countdown(countdown_.Total());
    lblArreter_.SetText("L'ordinateur va effectuer l'opération suivante dans " +
                        std::to_string(countdown_.Total()) + " secondes :");
    SetTimer(Handle(), kTimerId, static_cast<UINT>(tickMs_), nullptr);
}

void TfrmArreter::Renew(bool restart) {
    if (!Handle()) return;
    cbxChoix_.Select(restart ? 1 : 0);
    if (ended_) { // Windows did not end the session: this request counts anew
        ended_ = false;
        StartCount();
    }
    SetForegroundWindow(Handle());
}

void TfrmArreter::OnTick() {
    if (ending_ || ended_) return;
    const bool end = countdown_.Tick();
    lblArreter_.SetText(CountdownText(countdown_.SecondsLeft()));
    if (!end) return;
    KillTimer(Handle(), kTimerId);
    // Nothing here waits for the user: a failed save is said after the request.
    ending_ = true;
    const bool saved = !saveSettings_ || saveSettings_();
    ProcessPendingMessages();
    ending_ = false;
    if (!Handle()) return; // cancelled meanwhile: no request
    ended_ = true;
    const bool restart = cbxChoix_.Selected() != 0;
    request_.Request(ExitFlags(restart, cseForcer_.Checked(), IsWindowsNT()));
    if (!saved) lblArreter_.SetText(kArreterNonEnregistre);
}

} // namespace pilotune
