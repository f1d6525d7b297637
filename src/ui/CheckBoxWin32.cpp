#include "ui/CheckBoxWin32.h"

namespace pilotune {

void CheckBox::Create(Container& parent, std::string_view text, const Rect& design, int id,
                      unsigned anchors, bool checked) {
    hwnd = parent.AddControl(L"BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, design, id, anchors);
    SetChecked(checked);
}

} // namespace pilotune
