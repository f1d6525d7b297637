#pragma once
// TfrmPrincipale: the control bar's window. It paints the bar's elements,
// turns mouse, timer and inter-process messages into calls of the bar's logic,
// and gives the logic the services of the other windows.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/SecondStart.h"
#include "bar/BarLogic.h"
#include "bar/BarProgrammeView.h"
#include "components/Bindings.h"
#include "copy/MusicCopy.h"
#include "system/BackgroundWin32.h"
#include "system/ShutdownWin32.h"
#include "components/HookKeyboardWin32.h"
#include "components/PiconeBarreTacheWin32.h"
#include "programmes/ProgrammePlayerLink.h"
#include "programmes/Programmes.h"
#include "schedule/Planification.h"
#include "ui/ScenePainterWin32.h"
#include "ui/TooltipWin32.h"
#include "ui/WindowWin32.h"

namespace pilotune {

inline constexpr wchar_t kBarClass[] = L"TfrmPrincipale";
inline constexpr wchar_t kBarCaption[] = L"Pilotune Fenetre";
inline constexpr char kRunValuePath[] =
    "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Pilotune";

class TfrmPrincipale final : public Window, private BarServices, private CopyTrackBar {
public:
    TfrmPrincipale(SettingsStore& store, COption& option, TPilotune& player,
                   CPlanification& plan);
    ~TfrmPrincipale() override;

    // Creates the bar at its stored position, applies the settings, starts
    // the player and the playback timer, and shows the bar.
    bool Create();

    BarLogic& Logic() { return logic_; }
    void ApplySettings();
    // The closing steps: settings saved, the player closed when asked, the
    // position written; then the window goes.
    void CloseBar();

private:
    enum TimerId : UINT_PTR { kTmr = 1, kTmrPlanification = 2, kTmrMaj = 3 };

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

    void Layout();
    void OnTick();
    void OnMouseMove(int x, int y);
    void OnLeftDown(int x, int y);
    void OnRightUp(int x, int y);
    void HideSelection();
    void Drag();
    void Seek(int x, int y);
    void OpenMenu(const std::string& menuName, POINT screen);
    void FirstShow();
    void SaveState();
    void Paint();

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

    // CopyTrackBar: the copy's result shown in place of the title.
    void StopTick() override;
    void StartTick() override;
    std::string Title() override;
    void ShowTitle(const std::string& text) override;
    void HoldResult(int ms) override;
    void RefreshTitle() override;

    SettingsStore& store_;
    COption& option_;
    TPilotune& player_;
    CPlanification& plan_;
    BarLogic logic_;
    ProgrammePlayerLink programmeLink_;
    BarProgrammeView programmeView_;
    CProgrammes programmes_;
    THookKeyboard hokKey_;
    Raccourcis raccourcis_;
    std::unique_ptr<TPiconeBarreTache> pbtTray_; // made with the window
    BarBackground background_;
    WindowsShutdown shutdown_;
    ScenePainter painter_;
    Tooltip tooltip_;
    SecondStartReceiver secondStart_;
    int selected_ = 32; // ARIEN: the mouse is over the background
    bool shown_ = false;
    bool closing_ = false;
    bool stateSaved_ = false;
    int width_ = 0;
    Scene painted_; // the scene as last painted
};

} // namespace pilotune
