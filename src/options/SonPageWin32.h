#pragma once
// The page "Son et affichage" of the options dialog: the steps of the volume
// and seek actions, the on-screen display and the now-playing file.
#include <array>
#include <string>

#include "components/SpinEditWin32.h"
#include "options/OptionsPageWin32.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/ComboBoxWin32.h"
#include "ui/EditWin32.h"
#include "ui/GroupBoxWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

class SonPage final : public OptionsPage {
  public:
    explicit SonPage(PageContext& context) : context_(context) {}

    std::string_view Caption() const override { return "Son et affichage"; }
    int HelpContext() const override { return 1007; }
    void DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const override;
    void Build(Panel& page) override;
    void Fill() override;
    void Apply() override;
    void Defaults() override;

  private:
    // What the page shows, in the order of COption's fields.
    struct Values {
        std::array<int, 5> numbers{}; // the steps, the two switches, the corner
        std::string file, pattern;
    };
    static Values Of(const COption& option); // what the page shows of it
    Values Shown();
    void Show(const Values& values);
    void Browse();

    PageContext& context_;
    Values filled_; // as filled: what the user changed differs

    GroupBox gbxPas_, gbxAffichage_, gbxEnCours_;
    Static lblPasVolume_, lblPasSecondes_, lblAfficheCoin_, lblFichierEnCours_, lblModeleEnCours_,
        lblChamps_;
    SpinEdit tudPasVolume_, tudPasSecondes_;
    CheckBox cseAfficheVolume_, cseAfficheTitre_;
    ComboBox cbxAfficheCoin_;
    Edit txtFichierEnCours_, txtModeleEnCours_;
    Button btgFichierEnCours_;
};

} // namespace pilotune
