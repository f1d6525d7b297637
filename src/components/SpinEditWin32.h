#pragma once
// The spin edit (TEditUpDown) as a control of a dialog: placed in design
// coordinates with anchors, with the dialog's font.
#include <memory>

#include "components/UEditUpDownWin32.h"
#include "ui/ContainerWin32.h"

namespace pilotune {

class SpinEdit {
  public:
    // 121 x 25 at 96 DPI unless `design` says otherwise.
    void Create(Container& parent, Rect design, int id, unsigned anchors = kAnchorTopLeft);
    TEditUpDown& operator*() { return *edit_; }
    TEditUpDown* operator->() { return edit_.get(); }
    HWND Handle() const { return edit_ ? edit_->Handle() : nullptr; }

  private:
    std::unique_ptr<TEditUpDown> edit_;
};

} // namespace pilotune
