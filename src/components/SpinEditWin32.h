#pragma once
// The spin edit (TEditUpDown) as a control of a dialog: placed in design
// coordinates with anchors, with the dialog's font; enabled or not with its
// button.
#include <memory>

#include "components/UEditUpDownWin32.h"
#include "ui/ContainerWin32.h"
#include "ui/ControlWin32.h"

namespace pilotune {

class SpinEdit : public Control {
  public:
    // 121 x 25 at 96 DPI unless `design` says otherwise; `text` is the
    // template of the value's format.
    void Create(Container& parent, Rect design, int id, unsigned anchors = kAnchorTopLeft,
                std::string_view text = TEditUpDown::kTexteDefaut);
    void Create(Container& parent, Rect design, unsigned anchors = kAnchorTopLeft,
                std::string_view text = TEditUpDown::kTexteDefaut);
    TEditUpDown& operator*() { return *edit_; }
    TEditUpDown* operator->() { return edit_.get(); }
    const TEditUpDown* operator->() const { return edit_.get(); }
    // The edit and the button beside it.
    void Enable(bool enabled) const override;

  private:
    std::unique_ptr<TEditUpDown> edit_;
};

} // namespace pilotune
