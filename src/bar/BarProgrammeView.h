#pragma once
// What programme replay and recording change on the bar: the play and stop
// pictures and the check marks of their two menu items.
#include "bar/BarState.h"
#include "programmes/ProgrammePorts.h"

namespace pilotune {

class BarProgrammeView final : public ProgrammeBar {
  public:
    explicit BarProgrammeView(BarState& bar) : bar_(bar) {}
    void ShowPlayPicture() override { bar_.elements.joue.picture = pictures::kJoue; }
    void ShowStopPicture() override { bar_.elements.stop.picture = pictures::kStop; }
    void CocherLireProg(bool c) override { bar_.menus.principale[kMnuLireProg].checked = c; }
    void CocherEnregistrerProg(bool c) override {
        bar_.menus.principale[kMnuEnregistrerProg].checked = c;
    }

  private:
    BarState& bar_;
};

} // namespace pilotune
