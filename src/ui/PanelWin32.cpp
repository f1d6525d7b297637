#include "ui/PanelWin32.h"

namespace pilotune {

namespace {
constexpr wchar_t kPanelClass[] = L"PilotunePanel";
} // namespace

Panel::~Panel() {
    DropHandlers();
    Destroy();
}

bool Panel::Create(Container& parent, const Rect& design, unsigned anchors, bool visible) {
    const WindowClass cls{.name = kPanelClass, .background = GetSysColorBrush(COLOR_BTNFACE)};
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    const Rect r = parent.PlacedNow(design, anchors); // made in place: not moved again
    if (!Window::Create(cls, WS_EX_CONTROLPARENT, style, L"", r.left, r.top, r.width, r.height,
                        parent.Handle()))
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

void PageStack::Reserve(Container& parent, size_t count, const Rect& design, unsigned anchors) {
    parent_ = &parent;
    design_ = design;
    anchors_ = anchors;
    pages_.clear();
    pages_.resize(count);
    current_ = 0;
}

Panel& PageStack::operator[](size_t index) {
    std::unique_ptr<Panel>& page = pages_.at(index);
    if (!page) {
        page = std::make_unique<Panel>();
        if (parent_) page->Create(*parent_, design_, anchors_, false);
    }
    return *page;
}

void PageStack::Show(size_t index) {
    if (index >= pages_.size()) return;
    // Show the new page before hiding the old one: no flash of the parent.
    (*this)[index].Show(true);
    for (size_t i = 0; i < pages_.size(); ++i)
        if (i != index && pages_[i]) pages_[i]->Show(false);
    current_ = index;
}

} // namespace pilotune
