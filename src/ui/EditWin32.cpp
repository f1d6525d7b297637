#include "ui/EditWin32.h"

namespace pilotune {

void Edit::Create(Container& parent, std::string_view text, const Rect& design, int id,
                  unsigned anchors, bool multiline) {
    const DWORD style =
        WS_TABSTOP | (multiline ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL);
    hwnd = parent.AddControl(*this, L"EDIT", text, style, design, anchors, WS_EX_CLIENTEDGE, id);
}

void Edit::Create(Container& parent, std::string_view text, const Rect& design, unsigned anchors,
                  bool multiline) {
    Create(parent, text, design, 0, anchors, multiline);
}

bool Edit::Command(WORD code) {
    const std::function<void()>* event = code == EN_CHANGE      ? &onChange
                                         : code == EN_SETFOCUS  ? &onFocus
                                         : code == EN_KILLFOCUS ? &onFocusLost
                                                                : nullptr;
    if (!event || !*event) return false;
    (*event)();
    return true;
}

} // namespace pilotune
