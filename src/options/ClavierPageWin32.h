#pragma once
// The page "Clavier" of the options dialog: the shortcut bindings, an action
// list that remembers each parameter, and a key box that captures the key the
// user presses through the bar's keyboard hook.
#include <windows.h>

#include <string>
#include <vector>

#include "options/ActionChooserWin32.h"
#include "options/ActionTexts.h"
#include "options/ListGesturesWin32.h"
#include "options/OptionsPageWin32.h"
#include "ui/ButtonWin32.h"
#include "ui/CheckBoxWin32.h"
#include "ui/EditWin32.h"
#include "ui/GroupBoxWin32.h"
#include "ui/PanelWin32.h"
#include "ui/RowListWin32.h"
#include "ui/StaticWin32.h"

namespace pilotune {

class ClavierPage final : public OptionsPage {
  public:
    explicit ClavierPage(PageContext& context);
    ~ClavierPage() override;

    std::string_view Caption() const override { return "Clavier"; }
    int HelpContext() const override { return 1004; }
    void DrawPicture(HDC dc, RECT r, int dpi, bool enabled) const override;
    void Build(Panel& page) override;
    void Fill() override;
    void Apply() override;
    void Defaults() override;
    // Bindings without a key text, which the list leaves out, are a change:
    // Ok then writes the list without them.
    bool WantsSave() const override;
    // Ends the key capture if the key box had the focus.
    void Closing() override { StopCapture(); }
    void Add();
    void TakeBack();

  private:
    void StopCapture();
    void ChooseParameter();
    void GroupSwitch();

    PageContext& context_;
    bool capturing_ = false;

    GroupBox gbxClavier_;
    CheckBox cseClaActiver_;
    Static lblClaAction_, lblClaTouche_;
    ActionChooser cbxClaAction_;
    Button cmdClaAjouter_;
    Edit txtClaTouche_;
    RowList<BindingRow> lsvCla_;
};

} // namespace pilotune
