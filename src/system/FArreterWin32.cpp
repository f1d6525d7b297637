#include "system/FArreterWin32.h"

#include <string>

#include "settings/SystemWin32.h"

namespace pilotune {

namespace {
constexpr UINT_PTR kTimerId = 1;
} // namespace

TfrmArreter::TfrmArreter(ShutdownRequest& request, std::function<void()> saveSettings)
    : request_(request), saveSettings_(std::move(saveSettings)) {
    OnMessage(WM_TIMER, [this](WPARAM id, LPARAM) {
        if (id == kTimerId) OnTick();
        return LRESULT{0};
    });
}

void TfrmArreter::ShowModal(HWND owner, const Choice& choice) {
    countdown_ = Countdown(choice.total);
    if (!Create(kArreterClass, {.caption = "Arrêter l'ordinateur",
                                .client = {258, 134},
                                .owner = owner,
                                .topmost = true}))
        return;
    imgArreter_.Create(*this, {8, 8, 33, 33});
    imgArreter_.SetIcon(LoadIconW(nullptr, IDI_WARNING));
    lblArreter_.Create(*this,
                       "L'ordinateur va effectuer l'opération suivante dans " +
                           std::to_string(choice.total) + " secondes :",
                       {48, 8, 201, 33}, kArreterLabelId, kAnchorTopLeft, Static::Centre);
    cbxChoix_.Create(*this, {8, 48, 241, 120}, kArreterChoixId);
    cbxChoix_.SetItems({"Arrêter l'ordinateur", "Rédémarrer l'ordinateur"});
    cbxChoix_.Select(choice.restart ? 1 : 0);
    cseForcer_.Create(*this, "Forcer la fermeture des programmes", {8, 72, 241, 17},
                      kArreterForcerId, kAnchorTopLeft, choice.force);
    btAnnuler_.Create(*this, "Annuler", {8, 96, 241, 33}, IDCANCEL, kAnchorTopLeft, true);
    btAnnuler_.SetFont(BoldFont());
    SetTimer(Handle(), kTimerId, static_cast<UINT>(choice.tickMs), nullptr);
    Dialog::ShowModal(btAnnuler_.Handle());
}

void TfrmArreter::OnTick() {
    const bool end = countdown_.Tick();
    lblArreter_.SetText(CountdownText(countdown_.SecondsLeft()));
    if (!end) return;
    KillTimer(Handle(), kTimerId);
    if (saveSettings_) saveSettings_();
    const bool restart = cbxChoix_.Selected() != 0;
    request_.Request(ExitFlags(restart, cseForcer_.Checked(), IsWindowsNT()));
}

} // namespace pilotune
