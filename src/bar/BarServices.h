#pragma once
// Everything the bar's logic reaches outside the bar itself: the other windows,
// the programme, schedule, copy and background subsystems, the shell. The form
// implements it by forwarding to those parts; tests record the calls. A window
// added later plugs in here without a change to the dispatcher.
#include <string>

namespace pilotune {

class BarServices {
  public:
    virtual ~BarServices() = default;

    // ARRETER / REDEMARRER: the shutdown countdown, shown modally, starting at
    // `seconds`, with "Forcer la fermeture des programmes" set to `forceClose`
    // and the restart choice selected when `restart`.
    virtual void ShowCountdown(int seconds, bool forceClose, bool restart) = 0;

    // EXECUTER: the shell opens the file (desktop as owner, shown normally).
    virtual bool FileExists(const std::string& path) = 0;
    virtual void OpenFile(const std::string& path) = 0;

    // FERMERPROG, and the end of the player with FermerWA: closes the bar,
    // which ends the program.
    virtual void CloseProgram() = 0;

    // Programmes: the actions LECTUREPROGRAMME and ENREGISTREPROGRAMME with the
    // dispatcher's mode flag (and name), ProgrammeNext and ProgrammeStep.
    virtual void ProgrammePlayback(bool modeFlag, const std::string& name) = 0;
    virtual void ProgrammeRecording(bool modeFlag) = 0;
    virtual void ProgrammeNext() = 0;
    virtual void ProgrammeStep(bool trackChanged) = 0;

    virtual void CopyCurrentTrack() = 0;  // COPIER
    virtual void CaptureBackground() = 0; // GENERERFOND
    virtual void ShowHelp() = 0;          // AIDE: "Pilotune.chm", context 1000

    // APROPOSDE: creates the about box when there is none or it is hidden,
    // shows it and gives it the focus.
    virtual void ShowAbout() = 0;
    // AFFICHEOPTION: creates the options dialog when there is none or it is
    // hidden, shows it (not modally) and brings it above every other window
    // (topmost, then at once not topmost again).
    virtual void ShowOptions() = 0;
    virtual void FocusOptions() = 0;
    // "Planification..." in the main menu: the dialog's schedule page.
    virtual void ShowOptionsSchedulePage() = 0;

    // The running schedule.
    virtual int ScheduleEntryCount() = 0;
    virtual void ScheduleRearm(int index) = 0; // 0 <= index < ScheduleEntryCount()
    virtual void ScheduleCancel() = 0;
    virtual void ScheduleCancelAll() = 0;
    virtual void ScheduleEvaluate(bool timerTick) = 0;
    virtual void ScheduleUpdateInfo() = 0;

    // The full-screen view.
    virtual bool FullScreenExists() = 0;
    virtual void OpenFullScreen() = 0; // creates and shows it
    virtual void FocusFullScreen() = 0;
    virtual void CloseFullScreen() = 0;
    // Tick refresh: texts and pictures from the bar, progress from p and d.
    virtual void RefreshFullScreen(int position, int length) = 0;
    // Mode indicators from the bar (hazard, loop count, mode picture, copy).
    virtual void RefreshFullScreenView() = 0;

    // MISEAJOUR: runs the check; its window is shown modally when `showAlways`
    // or when a newer version exists.
    virtual void CheckForUpdate(bool showAlways) = 0;

    // Puts the bar above every other window again.
    virtual void MakeBarTopmost() = 0;

    // The player's track or volume changed, whatever the source: the on-screen
    // display and the now-playing file follow. The volume is 0..255.
    virtual void TrackChanged() = 0;
    virtual void VolumeChanged(int level) = 0;
};

} // namespace pilotune
