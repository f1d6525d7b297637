#pragma once
// The bar's services with nothing behind them: a call only reaches Heard() as
// its name and arguments ("ScheduleRearm 2", bools as 1 or 0), a question
// answers false or 0. Test doubles override what they watch.
#include <string>

#include "bar/BarServices.h"

namespace pilotune::testing {

class NullBarServices : public BarServices {
  public:
    void ShowCountdown(int s, bool force, bool restart) override {
        Note("ShowCountdown", s, force, restart);
    }
    bool FileExists(const std::string& p) override {
        Note("FileExists", p);
        return false;
    }
    void OpenFile(const std::string& p) override { Note("OpenFile", p); }
    void CloseProgram() override { Note("CloseProgram"); }
    void ProgrammePlayback(bool mode, const std::string& name) override {
        Note("ProgrammePlayback", mode, name);
    }
    void ProgrammeRecording(bool mode) override { Note("ProgrammeRecording", mode); }
    void ProgrammeNext() override { Note("ProgrammeNext"); }
    void ProgrammeStep(bool changed) override { Note("ProgrammeStep", changed); }
    void CopyCurrentTrack() override { Note("CopyCurrentTrack"); }
    void CaptureBackground() override { Note("CaptureBackground"); }
    void ShowHelp() override { Note("ShowHelp"); }
    void ShowAbout() override { Note("ShowAbout"); }
    void ShowOptions() override { Note("ShowOptions"); }
    void FocusOptions() override { Note("FocusOptions"); }
    void ShowOptionsSchedulePage() override { Note("ShowOptionsSchedulePage"); }
    int ScheduleEntryCount() override { return 0; }
    void ScheduleRearm(int i) override { Note("ScheduleRearm", i); }
    void ScheduleCancel() override { Note("ScheduleCancel"); }
    void ScheduleCancelAll() override { Note("ScheduleCancelAll"); }
    void ScheduleEvaluate(bool tick) override { Note("ScheduleEvaluate", tick); }
    void ScheduleUpdateInfo() override { Note("ScheduleUpdateInfo"); }
    bool FullScreenExists() override { return false; }
    void OpenFullScreen() override { Note("OpenFullScreen"); }
    void FocusFullScreen() override { Note("FocusFullScreen"); }
    void CloseFullScreen() override { Note("CloseFullScreen"); }
    void RefreshFullScreen(int p, int d) override { Note("RefreshFullScreen", p, d); }
    void RefreshFullScreenView() override { Note("RefreshFullScreenView"); }
    void CheckForUpdate(bool always) override { Note("CheckForUpdate", always); }
    void MakeBarTopmost() override { Note("MakeBarTopmost"); }
    void TrackChanged() override { Note("TrackChanged"); }
    void VolumeChanged(int level) override { Note("VolumeChanged", level); }

  protected:
    virtual void Heard(const std::string&) {}

  private:
    template <class... Args> void Note(const char* name, const Args&... args) {
        std::string call = name;
        ((call += ' ', call += Text(args)), ...);
        Heard(call);
    }
    static std::string Text(const std::string& s) { return s; }
    static std::string Text(bool b) { return b ? "1" : "0"; }
    static std::string Text(int i) { return std::to_string(i); }
};

} // namespace pilotune::testing
