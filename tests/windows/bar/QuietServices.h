#pragma once
// The bar's services with no other window behind them: nothing happens, and
// the calls a bench watches are counted by name.
#include <map>
#include <string>

#include "NullBarServices.h"

namespace pilotune::testing {

class QuietServices final : public NullBarServices {
  public:
    std::map<std::string, int> calls;

    void ScheduleEvaluate(bool) override { ++calls["ScheduleEvaluate"]; }
};

} // namespace pilotune::testing
