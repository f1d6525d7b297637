#include "ui/ButtonWin32.h"

namespace pilotune {

void Button::Create(Container& parent, std::string_view text, const Rect& design, int id,
                    unsigned anchors, bool isDefault) {
    hwnd = parent.AddControl(*this, L"BUTTON", text,
                             WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), design,
                             anchors, 0, id);
    // The dialog (the parent, or the parent of a page) keeps the default id.
    if (hwnd && isDefault) SendMessageW(GetAncestor(hwnd, GA_ROOT), DM_SETDEFID, Id(), 0);
}

void Button::Create(Container& parent, std::string_view text, const Rect& design,
                    unsigned anchors) {
    Create(parent, text, design, 0, anchors);
}

void Button::CreateOwnerDrawn(Container& parent, std::string_view text, const Rect& design,
                              unsigned anchors) {
    hwnd = parent.AddControl(*this, L"BUTTON", text, WS_TABSTOP | BS_OWNERDRAW, design, anchors);
}

bool Button::Command(WORD code) {
    if (code != BN_CLICKED || !onClick) return false;
    onClick();
    return true;
}

bool Button::Draw(const DRAWITEMSTRUCT& item) {
    if (!onDraw) return false;
    onDraw(item);
    return true;
}

} // namespace pilotune
