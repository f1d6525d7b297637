#pragma once
// Puts the schedule's "INFO" label on a white/black label pair.
#include "schedule/Planification.h"
#include "ui/Elements.h"

namespace pilotune {

// Caption, hint and visibility of `info` on both elements of `twin`.
void ShowInfo(const InfoLabel& info, Twin& twin);

} // namespace pilotune
