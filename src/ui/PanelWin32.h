#pragma once
// A page of a dialog: a child window that holds controls (WS_EX_CONTROLPARENT,
// so Tab walks into it) and passes the commands no handler of its own took to
// its parent. A PageStack keeps pages in one place, one visible at a time; a
// reserved page gets its window only when first shown or asked for.
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/ContainerWin32.h"

namespace pilotune {

class Panel final : public Container {
  public:
    ~Panel() override;
    // A page at `design` in `parent`, with the parent's background.
    bool Create(Container& parent, const Rect& design, unsigned anchors = kAnchorTopLeft,
                bool visible = true);
    void Show(bool visible);

  protected:
    LRESULT Unrouted(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class PageStack {
  public:
    // A new page at `design`, hidden unless it is the first.
    Panel& Add(Container& parent, const Rect& design, unsigned anchors = kAnchorAll);
    // `count` pages at `design`, none made yet: a dialog opens without the
    // windows of the pages it does not show.
    void Reserve(Container& parent, size_t count, const Rect& design,
                 unsigned anchors = kAnchorAll);
    void Show(size_t index);
    size_t Current() const { return current_; }
    size_t Count() const { return pages_.size(); }
    // The page, made hidden if it was only reserved.
    Panel& operator[](size_t index);

  private:
    Container* parent_ = nullptr;
    Rect design_{};
    unsigned anchors_ = kAnchorAll;
    std::vector<std::unique_ptr<Panel>> pages_; // empty where only reserved
    size_t current_ = 0;
};

} // namespace pilotune
