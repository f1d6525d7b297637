#pragma once
// The bar's services with no other window behind them: every call is counted
// by name, nothing else happens.
#include <map>
#include <string>

#include "bar/BarServices.h"

namespace pilotune::testing {

class QuietServices final : public BarServices {
  public:
    std::map<std::string, int> calls;

    void ShowCountdown(int, bool, bool) override { ++calls["ShowCountdown"]; }
    bool FileExists(const std::string&) override { return false; }
    void OpenFile(const std::string&) override { ++calls["OpenFile"]; }
    void CloseProgram() override { ++calls["CloseProgram"]; }
    void ProgrammePlayback(bool, const std::string&) override { ++calls["ProgrammePlayback"]; }
    void ProgrammeRecording(bool) override { ++calls["ProgrammeRecording"]; }
    void ProgrammeNext() override { ++calls["ProgrammeNext"]; }
    void ProgrammeStep(bool) override { ++calls["ProgrammeStep"]; }
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
    void ScheduleEvaluate(bool) override { ++calls["ScheduleEvaluate"]; }
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
