#include "ui/StaticWin32.h"

namespace pilotune {

void Static::Create(Container& parent, std::string_view text, const Rect& design, int id,
                    unsigned anchors, Align align, bool mnemonics) {
    // SS_EDITCONTROL: a word longer than a line (an address) breaks like in an edit.
    hwnd = parent.AddControl(*this, L"STATIC", text,
                             align | SS_EDITCONTROL | (mnemonics ? 0 : SS_NOPREFIX), design,
                             anchors, 0, id);
}

void Static::Create(Container& parent, std::string_view text, const Rect& design, unsigned anchors,
                    Align align, bool mnemonics) {
    Create(parent, text, design, -1, anchors, align, mnemonics);
}

void Static::CreateClickable(Container& parent, std::string_view text, const Rect& design,
                             Align align) {
    hwnd = parent.AddControl(*this, L"STATIC", text, align | SS_NOTIFY | SS_NOPREFIX, design);
}

bool Static::Command(WORD code) {
    if (code != STN_CLICKED || !onClick) return false;
    onClick();
    return true;
}

void Picture::Create(Container& parent, const Rect& design, int id, unsigned anchors) {
    hwnd =
        parent.AddControl(*this, L"STATIC", "", SS_ICON | SS_CENTERIMAGE, design, anchors, 0, id);
}

void Picture::SetIcon(HICON icon) const {
    SendMessageW(hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

} // namespace pilotune
