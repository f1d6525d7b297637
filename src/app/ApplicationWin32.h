#pragma once
// The program's assembly: the bar's logic and window, the components, the
// subsystems and the secondary windows, wired together. It implements the
// services the dispatcher calls and what the bar's window asks of its host.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/CopiesWin32.h"
#include "app/RunAtStartWin32.h"
#include "app/SecondStart.h"
#include "app/SessionNoticesWin32.h"
#include "bar/BarLogic.h"
#include "bar/BarProgrammeView.h"
#include "bar/FPrincipaleWin32.h"
#include "components/Bindings.h"
#include "components/HookKeyboardWin32.h"
#include "components/PiconeBarreTacheWin32.h"
#include "copy/MusicCopy.h"
#include "options/FOptionWin32.h"
#include "programmes/ProgrammePlayerLink.h"
#include "programmes/Programmes.h"
#include "schedule/Planification.h"
#include "system/BackgroundWin32.h"
#include "system/ShutdownWin32.h"
#include "system/UpdateCheckWin32.h"
#include "ui/MessageWindowWin32.h"
#include "windows/FAProposDeWin32.h"
#include "windows/FPleinEcranWin32.h"

namespace pilotune {

class TfrmArreter;

class Application final : private BarServices, private BarHost, private CopyTrackBar {
  public:
    Application(SettingsStore& store, COption& option, TPilotune& player, CPlanification& plan);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Creates the bar at its stored position, applies the settings, starts
    // the player and the playback tick, and shows the bar.
    bool Start();
    // Brings every part in line with the settings (start-up, and the options'
    // Ok and Apply).
    void ApplySettings();

    BarLogic& Logic() { return logic_; }
    TfrmPrincipale& Bar() { return bar_; }
    CPlanification& Plan() { return plan_; }
    CProgrammes& Programmes() { return programmes_; }
    Copies& CopyJobs() { return copies_; }
    // The secondary windows while they are open, else null.
    TfrmPleinEcran* PleinEcran();
    TfrmAProposDe* AProposDe();
    // The options dialog while it is open, else nullptr.
    TfrmOption* Options() {
        return options_ && options_->IsOpen() && !buildingOptions_ ? options_.get() : nullptr;
    }
    // The countdown's request at zero goes to `request` instead of Windows,
    // its seconds lasting `tickMs` (tests).
    void DivertShutdown(ShutdownRequest& request, int tickMs) {
        shutdownRequest_ = &request;
        countdownTickMs_ = tickMs;
    }

  private:
    enum TimerId : UINT_PTR { kTmrPlanification = 1, kTmrMaj = 2, kTmrCopie = 3 };
    // Posted to timers_ when a secondary window has closed: its object is
    // freed once its own messages are over.
    static constexpr UINT kMsgFreeClosed = WM_APP + 1;

    void FreeClosedWindows();
    void RaiseSecondary(HWND window);
    void OpenBarMenu(const std::string& name, POINT screen, HWND owner);

    void OnTimer(UINT_PTR id);
    void FirstShow();
    void SaveState();
    void OpenHelp(int context);
    void CaptureKeys(bool on, std::function<void(const std::string&)> target);

    // BarServices
    void ShowCountdown(int seconds, bool forceClose, bool restart) override;
    bool FileExists(const std::string& path) override;
    void OpenFile(const std::string& path) override;
    void CloseProgram() override;
    void ProgrammePlayback(bool modeFlag, const std::string& name) override;
    void ProgrammeRecording(bool modeFlag) override;
    void ProgrammeNext() override;
    void ProgrammeStep(bool trackChanged) override;
    void CopyCurrentTrack() override;
    void CaptureBackground() override;
    void ShowHelp() override;
    void ShowAbout() override;
    void ShowOptions() override;
    void FocusOptions() override;
    void ShowOptionsSchedulePage() override;
    int ScheduleEntryCount() override;
    void ScheduleRearm(int index) override;
    void ScheduleCancel() override;
    void ScheduleCancelAll() override;
    void ScheduleEvaluate(bool timerTick) override;
    void ScheduleUpdateInfo() override;
    bool FullScreenExists() override;
    void OpenFullScreen() override;
    void FocusFullScreen() override;
    void CloseFullScreen() override;
    void RefreshFullScreen(int position, int length) override;
    void RefreshFullScreenView() override;
    void CheckForUpdate(bool showAlways) override;
    void MakeBarTopmost() override;
    void TrackChanged() override;
    void VolumeChanged(int level) override;

    // BarHost
    void DrawBackdrop(HDC dc, const Element& fond) override;
    COLORREF WindowColour() override;
    void BarMoved() override;
    void BarActivated() override;
    void BarClosing() override;
    void BarDestroyed() override;
    void SessionEnding() override;
    std::optional<LRESULT> OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // CopyTrackBar: the copy's result shown in place of the title.
    bool CopyOnWorker(const std::string& folder, const std::string& source,
                      std::function<void(const std::string& status)> done) override;
    void StopTick() override;
    std::string Title() override;
    void ShowTitle(const std::string& text) override;
    void RestoreTitleAfter(int ms) override;

    SettingsStore& store_;
    COption& option_;
    TPilotune& player_;
    CPlanification& plan_;
    BarLogic logic_;
    TfrmPrincipale bar_;
    ProgrammePlayerLink programmeLink_;
    BarProgrammeView programmeView_;
    CProgrammes programmes_;
    THookKeyboard hokKey_;
    Raccourcis raccourcis_;
    std::unique_ptr<TPiconeBarreTache> pbtTray_; // made with the bar's window
    BarBackground background_;
    WindowsShutdown shutdown_;
    ShutdownRequest* shutdownRequest_ = &shutdown_;
    int countdownTickMs_ = kCountdownTickMs;
    TfrmArreter* countdown_ = nullptr; // while one runs (it lives in ShowCountdown)
    SecondStartReceiver secondStart_;
    RunAtStartValue runAtStart_;
    SessionNotices sessionNotices_; // while the bar's window lives
    MessageWindow timers_;
    UpdateAction update_;
    Copies copies_; // before the windows that show them, which go first
    std::unique_ptr<TfrmPleinEcran> pleinEcran_;
    std::unique_ptr<TfrmAProposDe> aProposDe_;
    std::unique_ptr<TfrmOption> options_;
    bool buildingOptions_ = false; // options_ is in Prepare
    bool stateSaved_ = false;
};

} // namespace pilotune
