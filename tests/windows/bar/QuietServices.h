#pragma once
// The bar's services with no other window behind them: nothing happens, and
// the calls a test or bench watches are counted (by name, with arguments).
#include <map>
#include <string>

#include "NullBarServices.h"

namespace pilotune::testing {

class QuietServices final : public NullBarServices {
  public:
    std::map<std::string, int> calls;

    void ScheduleEvaluate(bool) override { ++calls["ScheduleEvaluate"]; }

  protected:
    void Heard(const std::string& call) override { ++calls[call]; }
};

} // namespace pilotune::testing
