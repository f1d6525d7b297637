#pragma once
// The "start with Windows" value in the registry, as the settings say (see
// RunAtStart.h for which copy may change it).
#include <optional>

namespace pilotune {

class RunAtStartValue {
  public:
    // Brings the value in line with the setting `on`. Switched on since the
    // last call, the setting points the value at this copy whatever it held.
    void Apply(bool on);

  private:
    std::optional<bool> applied_;
};

} // namespace pilotune
