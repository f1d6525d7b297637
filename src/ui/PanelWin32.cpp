#include "ui/PanelWin32.h"

namespace pilotune {

namespace {
constexpr wchar_t kPanelClass[] = L"PilotunePanel";
} // namespace

Panel::~Panel() {
    DropHandlers();
    Destroy();
}

bool Panel::Create(Container& parent, const Rect& design, unsigned anchors) {
    const WindowClass cls{.name = kPanelClass, .background = GetSysColorBrush(COLOR_BTNFACE)};
    if (!Window::Create(cls, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"", 0,
                        0, 0, 0, parent.Handle()))
        return false;
    StartLayout({design.width, design.height});
    if (parent.HasOwnBackground()) SetBackground(parent.BackgroundColour());
    parent.Place(Handle(), design, anchors);
    return true;
}

void Panel::Show(bool visible) {
    if (Handle()) ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

LRESULT Panel::Unrouted(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The dialog decides: its handlers, IDOK and IDCANCEL.
    if ((msg == WM_COMMAND || msg == WM_NOTIFY) && GetParent(Handle()))
        return SendMessageW(GetParent(Handle()), msg, wParam, lParam);
    return Container::Unrouted(msg, wParam, lParam);
}

Panel& PageStack::Add(Container& parent, const Rect& design, unsigned anchors) {
    auto page = std::make_unique<Panel>();
    page->Create(parent, design, anchors);
    page->Show(pages_.empty());
    pages_.push_back(std::move(page));
    return *pages_.back();
}

void PageStack::Show(size_t index) {
    if (index >= pages_.size()) return;
    // Show the new page before hiding the old one: no flash of the parent.
    pages_[index]->Show(true);
    for (size_t i = 0; i < pages_.size(); ++i)
        if (i != index) pages_[i]->Show(false);
    current_ = index;
}

} // namespace pilotune
