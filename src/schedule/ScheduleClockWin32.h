#pragma once
// The scheduler's clock on Windows: the local date and time.
#include "schedule/ScheduleClock.h"

namespace pilotune {

class LocalScheduleClock final : public ScheduleClock {
  public:
    ClockReading Read() override;
};

} // namespace pilotune
