#include "ui/GroupBoxWin32.h"

namespace pilotune {

void GroupBox::Create(Container& parent, std::string_view text, const Rect& design, int id,
                      unsigned anchors) {
    hwnd = parent.AddControl(L"BUTTON", text, BS_GROUPBOX, design, id, anchors);
}

} // namespace pilotune
