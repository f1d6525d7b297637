#include "system/UpdateCheckWin32.h"

#include "base/PathsWin32.h"
#include "base/VersionWin32.h"
#include "settings/SettingsWin32.h"
#include "system/FMiseAJourWin32.h"

namespace pilotune {

UpdateSetup ProgramUpdateSetup(const SettingsStore& store) {
    // No codec: the worker decodes with the ANSI code page.
    UpdateSetup setup{
        .folder = ProgramFolder(), .server = ReadUpdateServer(store), .files = &ProgramFiles()};
    if (!FileVersion(setup.fileVersion)) setup.fileVersion = "0.0.0.0";
    return setup;
}

void ShowUpdateResult(HWND owner, const UpdateResult& result, bool fromMenu,
                      std::function<void(const std::string&)> open) {
    if (!ShowsUpdateWindow(result, fromMenu) || (owner && !IsWindow(owner))) return;
    TfrmMiseAJour window(result, open ? std::move(open) : AddressOpener(OpenWebAddress));
    window.ShowModal(owner);
}

bool UpdateAction::Run(HWND owner, UpdateSetup setup, bool fromMenu) {
    if (worker_.Busy()) {
        fromMenu_ = fromMenu_ || fromMenu;
        return false;
    }
    owner_ = owner;
    fromMenu_ = fromMenu;
    return worker_.Start(std::move(setup), [this](const UpdateResult& result) {
        // Copies: the window is modal, and this action may go meanwhile.
        ShowUpdateResult(owner_, result, fromMenu_, open_);
    });
}

} // namespace pilotune
