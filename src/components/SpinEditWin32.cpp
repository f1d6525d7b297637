#include "components/SpinEditWin32.h"

namespace pilotune {

void SpinEdit::Create(Container& parent, Rect design, int id, unsigned anchors,
                      std::string_view text) {
    if (design.width <= 0) design.width = 121;
    if (design.height <= 0) design.height = 25;
    // TEditUpDown takes its parent's font (WM_GETFONT) and places its button
    // whenever it is resized: made at its size, its button is placed once.
    const Rect r = ScaleToDpi(design, parent.Dpi());
    edit_ = std::make_unique<TEditUpDown>(parent.Handle(), r.left, r.top, id,
                                          SIZE{r.width, r.height}, text);
    hwnd = edit_->Handle();
    if (!hwnd) return;
    parent.Place(hwnd, design, anchors);
    parent.Adopt(*this);
}

void SpinEdit::Create(Container& parent, Rect design, unsigned anchors, std::string_view text) {
    Create(parent, design, 0, anchors, text);
}

void SpinEdit::Enable(bool enabled) const {
    EnableWindow(hwnd, enabled);
    if (edit_) EnableWindow(edit_->UpDownHandle(), enabled);
}

} // namespace pilotune
