#include "schedule/InfoTwin.h"

namespace pilotune {

void ShowInfo(const InfoLabel& info, Twin& twin) {
    twin.SetText(info.caption);
    twin.SetHint(info.hint);
    twin.SetVisible(info.visible);
}

} // namespace pilotune
