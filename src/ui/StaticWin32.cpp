#include "ui/StaticWin32.h"

namespace pilotune {

void Static::Create(Container& parent, std::string_view text, const Rect& design, int id,
                    unsigned anchors, Align align, bool mnemonics) {
    // SS_EDITCONTROL: a word longer than a line (an address) breaks like in an edit.
    hwnd =
        parent.AddControl(L"STATIC", text, align | SS_EDITCONTROL | (mnemonics ? 0 : SS_NOPREFIX),
                          design, id, anchors);
}

void Picture::Create(Container& parent, const Rect& design, int id, unsigned anchors) {
    hwnd = parent.AddControl(L"STATIC", "", SS_ICON | SS_CENTERIMAGE, design, id, anchors);
}

void Picture::SetIcon(HICON icon) const {
    SendMessageW(hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

} // namespace pilotune
