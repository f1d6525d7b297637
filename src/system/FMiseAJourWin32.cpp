#include "system/FMiseAJourWin32.h"

#include <shellapi.h>

#include <algorithm>

#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWin32.h"

namespace pilotune {

namespace {
constexpr int kWidth = 352;
constexpr int kMessageHeight = 49;
constexpr int kGroupTop = 104, kGroupWidth = 337;
} // namespace

void OpenWebAddress(const std::string& address) {
    if (!IsWebAddress(address)) return;
    ShellExecuteW(nullptr, L"open", Widen(address).c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

TfrmMiseAJour::TfrmMiseAJour(UpdateResult result, AddressOpener open)
    : result_(std::move(result)), open_(std::move(open)) {
    OnCommand(IDOK, [this] {
        if (!result_.address.empty() && open_) open_(result_.address);
        Close(IDOK);
    });
    OnCommand(kMajDetailId, [this] {
        if (result_.outcome == UpdateOutcome::NewVersion) ToggleDetails();
    });
}

void TfrmMiseAJour::ShowModal(HWND owner) {
    detailsShown_ = false;
    if (!Create(kMiseAJourClass, {.caption = result_.caption,
                                  .client = {kWidth, kMajClientHeight},
                                  .owner = owner,
                                  .topmost = true}))
        return;
    // The message label grows to its text, and the window with it.
    grown_ = std::max(0, TextHeight(result_.message, 273, Font()) - kMessageHeight);
    if (grown_ > 0) SetClientSize({kWidth, kMajClientHeight + grown_});
    const int y = grown_;
    const bool isNew = result_.outcome == UpdateOutcome::NewVersion;

    imgMAJ_.Create(*this, {8, 8, 48, 48});
    imgMAJ_.SetIcon(LoadIconW(nullptr, result_.outcome == UpdateOutcome::Failed ? IDI_WARNING
                                                                                : IDI_INFORMATION));
    lblMAJ_.Create(*this, result_.message, {64, 8, 273, kMessageHeight + grown_}, kMajMessageId);
    cmdDetail_.Create(*this, "Voir plus d'info", {8, 71 + y, 129, 25}, kMajDetailId);
    cmdDetail_.Show(isNew);
    cmdOK_.Create(*this, "Mettre à jour", {144, 71 + y, 97, 25}, IDOK, kAnchorTopLeft, true);
    cmdOK_.Enable(!result_.address.empty()); // nothing safe to open otherwise
    cmdAnnuler_.Create(*this, "Fermer", {247, 71 + y, 97, 25}, IDCANCEL);

    // The details label sizes itself to its text; the group box follows it.
    const int textWidth = kGroupWidth - 22;
    const int textHeight =
        isNew ? std::max(13, TextHeight(result_.details, textWidth, Font())) : 13;
    if (isNew) groupHeight_ = textHeight + 25;
    gbxDetail_.Create(*this, "Détail sur la dernière mise à jour",
                      {8, kGroupTop + y, kGroupWidth, groupHeight_}, kMajGroupId);
    lblDetail_.Create(*this, isNew ? result_.details : std::string(),
                      {8 + 11, kGroupTop + 16 + y, textWidth, textHeight}, kMajDetailTextId);

    Dialog::ShowModal(cmdOK_.IsEnabled() ? cmdOK_.Handle() : cmdAnnuler_.Handle());
}

void TfrmMiseAJour::ToggleDetails() {
    detailsShown_ = !detailsShown_;
    SetClientSize({kWidth, (detailsShown_ ? groupHeight_ + 115 : kMajClientHeight) + grown_});
}

} // namespace pilotune
