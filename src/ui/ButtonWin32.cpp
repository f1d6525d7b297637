#include "ui/ButtonWin32.h"

namespace pilotune {

void Button::Create(Container& parent, std::string_view text, const Rect& design, int id,
                    unsigned anchors, bool isDefault) {
    hwnd = parent.AddControl(L"BUTTON", text,
                             WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), design,
                             id, anchors);
    // The dialog (the parent, or the parent of a page) keeps the default id.
    if (hwnd && isDefault) SendMessageW(GetAncestor(hwnd, GA_ROOT), DM_SETDEFID, id, 0);
}

} // namespace pilotune
