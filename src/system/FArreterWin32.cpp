#include "system/FArreterWin32.h"

#include "base/EncodingWin32.h"
#include "settings/SystemWin32.h"
#include "ui/DialogWin32.h"

namespace pilotune {

namespace {
constexpr UINT_PTR kTimerId = 1;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
} // namespace

TfrmArreter::TfrmArreter(ShutdownRequest& request, std::function<void()> saveSettings)
    : request_(request), saveSettings_(std::move(saveSettings)) {}

void TfrmArreter::ShowModal(HWND owner, const Choice& choice) {
    countdown_ = Countdown(choice.total);
    const SIZE size = OuterSize(kStyle, WS_EX_DLGMODALFRAME, 258, 134);
    const POINT at = CentredOnScreen(size);
    if (!Create(kArreterClass, WS_EX_DLGMODALFRAME, kStyle, Widen("Arrêter l'ordinateur").c_str(),
                at.x, at.y, size.cx, size.cy, owner, ProgramIcon()))
        return;
    HWND w = Handle();
    HWND img = DialogChild(w, L"STATIC", "", SS_ICON | SS_CENTERIMAGE, 8, 8, 33, 33, -1);
    icon_ = LoadIconW(nullptr, IDI_WARNING);
    SendMessageW(img, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    const std::string first = "L'ordinateur va effectuer l'opération suivante dans " +
                              std::to_string(choice.total) + " secondes :";
    label_ = DialogChild(w, L"STATIC", first, SS_CENTER, 48, 8, 201, 33, kArreterLabelId);
    choix_ = DialogChild(w, L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 8, 48, 241,
                         120, kArreterChoixId);
    for (const char* item : {"Arrêter l'ordinateur", "Rédémarrer l'ordinateur"})
        SendMessageW(choix_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    SendMessageW(choix_, CB_SETCURSEL, choice.restart ? 1 : 0, 0);
    forcer_ = DialogChild(w, L"BUTTON", "Forcer la fermeture des programmes",
                          BS_AUTOCHECKBOX | WS_TABSTOP, 8, 72, 241, 17, kArreterForcerId);
    SendMessageW(forcer_, BM_SETCHECK, choice.force ? BST_CHECKED : BST_UNCHECKED, 0);
    HWND annuler = DialogChild(w, L"BUTTON", "Annuler", BS_DEFPUSHBUTTON | WS_TABSTOP, 8, 96, 241,
                               33, IDCANCEL, DialogBoldFont());
    SetTimer(w, kTimerId, static_cast<UINT>(choice.tickMs), nullptr);
    ShowWindow(w, SW_SHOW);
    SetTopMost(w, -1);
    SetForegroundWindow(w);
    SetFocus(annuler);
    RunModal(w, owner);
}

void TfrmArreter::OnTick() {
    const bool end = countdown_.Tick();
    SetWindowTextW(label_, Widen(CountdownText(countdown_.SecondsLeft())).c_str());
    if (!end) return;
    KillTimer(Handle(), kTimerId);
    if (saveSettings_) saveSettings_();
    const bool restart = SendMessageW(choix_, CB_GETCURSEL, 0, 0) != 0;
    const bool force = SendMessageW(forcer_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    request_.Request(ExitFlags(restart, force, IsWindowsNT()));
}

void TfrmArreter::OnDestroyed() {
    WakeModalLoop();
}

LRESULT TfrmArreter::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        if (wParam == kTimerId) OnTick();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) DestroyWindow(Handle());
        return 0;
    case WM_CLOSE:
        DestroyWindow(Handle());
        return 0;
    case WM_ERASEBKGND:
        return EraseDialogBackground(Handle(), wParam);
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace pilotune
