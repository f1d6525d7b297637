#pragma once
// The bar's services with no other window behind them: the calls the tests
// watch are counted by name, nothing else happens.
#include <map>
#include <string>

#include "NullBarServices.h"

namespace pilotune::testing {

class QuietServices final : public NullBarServices {
  public:
    std::map<std::string, int> calls;

    void ShowCountdown(int, bool, bool) override { ++calls["ShowCountdown"]; }
    void OpenFile(const std::string&) override { ++calls["OpenFile"]; }
    void CloseProgram() override { ++calls["CloseProgram"]; }
    void ProgrammePlayback(bool, const std::string&) override { ++calls["ProgrammePlayback"]; }
    void ProgrammeRecording(bool) override { ++calls["ProgrammeRecording"]; }
    void ProgrammeNext() override { ++calls["ProgrammeNext"]; }
    void ProgrammeStep(bool) override { ++calls["ProgrammeStep"]; }
    void ScheduleEvaluate(bool) override { ++calls["ScheduleEvaluate"]; }
};

} // namespace pilotune::testing
