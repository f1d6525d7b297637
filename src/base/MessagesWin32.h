#pragma once
#include "base/Messages.h"

namespace pilotune {

// Routes Messages() to MessageBoxW, captioned "Pilotune".
void InstallMessageBoxes();

} // namespace pilotune
