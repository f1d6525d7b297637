#pragma once
// The page "Divers" of the options dialog: the loop and the excerpt, each
// with its switch, and the other settings of the program.
#include <array>

#include "components/SpinEditWin32.h"
#include "options/OptionsPageWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/GroupBoxWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

class GeneralPage final : public OptionsPage {
  public:
    explicit GeneralPage(PageContext& context) : context_(context) {}

    std::string_view Caption() const override { return "Divers"; }
    int HelpContext() const override { return 1002; }
    void DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const override;
    void Build(Panel& page) override;
    void Fill() override;
    void Apply() override;
    void Defaults() override;

  private:
    // The page's values in the order of COption's fields.
    std::array<int, 12> Values();
    void SwitchGroups();

    PageContext& context_;
    std::array<int, 12> shown_{}; // as filled: what the user changed differs

    GroupBox gbxBoucle_, gbxExtrait_, gbxDivers_;
    CheckBox cseBoucle_, cseExtrait_;
    Static lblBoucle_, lblExtrait_, lblTransparent_;
    SpinEdit tudBoucle_, tudExtrait_, tudTransparent_;
    CheckBox cseLancerDemarreWindows_, cseCacheAuto_, cseCacheWA_, cseFermerWA_, cseSystray_,
        cseMAJ_, cseAffichageNeg_;
};

} // namespace pilotune
