#pragma once
// The bar's services with nothing behind them: every call does nothing. Test
// doubles derive from it and override what they watch.
#include <string>

#include "bar/BarServices.h"

namespace pilotune::testing {

class NullBarServices : public BarServices {
  public:
    void ShowCountdown(int, bool, bool) override {}
    bool FileExists(const std::string&) override { return false; }
    void OpenFile(const std::string&) override {}
    void CloseProgram() override {}
    void ProgrammePlayback(bool, const std::string&) override {}
    void ProgrammeRecording(bool) override {}
    void ProgrammeNext() override {}
    void ProgrammeStep(bool) override {}
    void CopyCurrentTrack() override {}
    void CaptureBackground() override {}
    void ShowHelp() override {}
    void ShowAbout() override {}
    void ShowOptions() override {}
    void FocusOptions() override {}
    void ShowOptionsSchedulePage() override {}
    int ScheduleEntryCount() override { return 0; }
    void ScheduleRearm(int) override {}
    void ScheduleCancel() override {}
    void ScheduleCancelAll() override {}
    void ScheduleEvaluate(bool) override {}
    void ScheduleUpdateInfo() override {}
    bool FullScreenExists() override { return false; }
    void OpenFullScreen() override {}
    void FocusFullScreen() override {}
    void CloseFullScreen() override {}
    void RefreshFullScreen(int, int) override {}
    void RefreshFullScreenView() override {}
    void CheckForUpdate(bool) override {}
    void MakeBarTopmost() override {}
};

} // namespace pilotune::testing
