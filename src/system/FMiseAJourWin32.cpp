#include "system/FMiseAJourWin32.h"

#include <shellapi.h>

#include <algorithm>

#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWin32.h"
#include "settings/SystemWin32.h"
#include "ui/DialogWin32.h"

namespace pilotune {

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kGroupTop = 104, kGroupWidth = 337;
} // namespace

void OpenWebAddress(const std::string& address) {
    if (!IsWebAddress(address)) return;
    ShellExecuteW(nullptr, L"open", Widen(address).c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

TfrmMiseAJour::TfrmMiseAJour(UpdateResult result, AddressOpener open)
    : result_(std::move(result)), open_(std::move(open)) {}

void TfrmMiseAJour::ShowModal(HWND owner) {
    const SIZE size = OuterSize(kStyle, kExStyle, 352, kMajClientHeight);
    const POINT at = CentredOnScreen(size);
    if (!Create(kMiseAJourClass, kExStyle, kStyle, Widen(result_.caption).c_str(), at.x, at.y,
                size.cx, size.cy, owner, ProgramIcon()))
        return;
    HWND w = Handle();
    const bool isNew = result_.outcome == UpdateOutcome::NewVersion;
    HWND img = DialogChild(w, L"STATIC", "", SS_ICON | SS_CENTERIMAGE, 8, 8, 48, 48, -1);
    icon_ = LoadIconW(nullptr,
                      result_.outcome == UpdateOutcome::Failed ? IDI_WARNING : IDI_INFORMATION);
    SendMessageW(img, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    DialogChild(w, L"STATIC", result_.message, SS_LEFT, 64, 8, 273, 49, kMajMessageId);
    HWND detail = DialogChild(w, L"BUTTON", "Voir plus d'info", BS_PUSHBUTTON | WS_TABSTOP, 8, 71,
                              129, 25, kMajDetailId);
    if (!isNew) ShowWindow(detail, SW_HIDE);
    HWND ok = DialogChild(w, L"BUTTON", "Mettre à jour", BS_DEFPUSHBUTTON | WS_TABSTOP, 144, 71, 97,
                          25, IDOK);
    EnableWindow(ok, !result_.address.empty()); // nothing safe to open otherwise
    HWND fermer =
        DialogChild(w, L"BUTTON", "Fermer", BS_PUSHBUTTON | WS_TABSTOP, 247, 71, 97, 25, IDCANCEL);

    // The details label sizes itself to its text; the group box follows it.
    const int textWidth = kGroupWidth - 22;
    int textHeight = 13;
    if (isNew) {
        HDC dc = GetDC(w);
        HGDIOBJ old = SelectObject(dc, DialogFont());
        RECT r{0, 0, textWidth, 0};
        const std::wstring text = Widen(result_.details);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(w, dc);
        textHeight = std::max<int>(13, r.bottom);
        groupHeight_ = textHeight + 25;
    }
    DialogChild(w, L"BUTTON", "Détail sur la dernière mise à jour", BS_GROUPBOX, 8, kGroupTop,
                kGroupWidth, groupHeight_, kMajGroupId);
    DialogChild(w, L"STATIC", isNew ? result_.details : std::string(), SS_LEFT | SS_NOPREFIX,
                8 + 11, kGroupTop + 16, textWidth, textHeight, kMajDetailTextId);

    ShowWindow(w, SW_SHOW);
    SetTopMost(w, -1);
    SetForegroundWindow(w);
    SetFocus(ok && IsWindowEnabled(ok) ? ok : fermer);
    RunModal(w, owner);
}

void TfrmMiseAJour::SetClientHeight(int height) {
    const SIZE size = OuterSize(kStyle, kExStyle, 352, height);
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMiseAJour::ToggleDetails() {
    detailsShown_ = !detailsShown_;
    SetClientHeight(detailsShown_ ? groupHeight_ + 115 : kMajClientHeight);
}

void TfrmMiseAJour::OnDestroyed() {
    WakeModalLoop();
}

LRESULT TfrmMiseAJour::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            if (!result_.address.empty() && open_) open_(result_.address);
            DestroyWindow(Handle());
            break;
        case IDCANCEL:
            DestroyWindow(Handle());
            break;
        case kMajDetailId:
            if (result_.outcome == UpdateOutcome::NewVersion) ToggleDetails();
            break;
        }
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
