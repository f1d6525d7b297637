#include "ui/CheckBoxWin32.h"

namespace pilotune {

void CheckBox::Create(Container& parent, std::string_view text, const Rect& design, int id,
                      unsigned anchors, bool checked) {
    hwnd = parent.AddControl(*this, L"BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, design, anchors,
                             0, id);
    SetChecked(checked);
}

void CheckBox::Create(Container& parent, std::string_view text, const Rect& design,
                      unsigned anchors, bool checked) {
    Create(parent, text, design, 0, anchors, checked);
}

void CheckBox::SwitchGroup(std::initializer_list<const Control*> members) const {
    const bool on = Checked();
    for (const Control* member : members)
        member->Enable(on);
    Enable(true);
}

bool CheckBox::Command(WORD code) {
    if (code != BN_CLICKED || !onChanged) return false;
    onChanged();
    return true;
}

} // namespace pilotune
