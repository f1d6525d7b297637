#include "ui/EditWin32.h"

namespace pilotune {

void Edit::Create(Container& parent, std::string_view text, const Rect& design, int id,
                  unsigned anchors, bool multiline) {
    const DWORD style =
        WS_TABSTOP | (multiline ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL);
    hwnd = parent.AddControl(L"EDIT", text, style, design, id, anchors, WS_EX_CLIENTEDGE);
}

} // namespace pilotune
