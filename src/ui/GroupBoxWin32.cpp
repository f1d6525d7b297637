#include "ui/GroupBoxWin32.h"

namespace pilotune {

void GroupBox::Create(Container& parent, std::string_view text, const Rect& design, int id,
                      unsigned anchors) {
    hwnd = parent.AddControl(*this, L"BUTTON", text, BS_GROUPBOX, design, anchors, 0, id);
}

void GroupBox::Create(Container& parent, std::string_view text, const Rect& design,
                      unsigned anchors) {
    Create(parent, text, design, -1, anchors);
}

void GroupBox::SendToBack() const {
    SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace pilotune
