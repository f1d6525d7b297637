#include "ui/Elements.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace pilotune {

Element& Scene::Add(Element e) {
    elements_.push_back(std::move(e));
    return elements_.back();
}

Element* Scene::Find(std::string_view name) {
    for (auto& e : elements_)
        if (e.name == name) return &e;
    return nullptr;
}

Element& Scene::operator[](std::string_view name) {
    if (Element* e = Find(name)) return *e;
    throw std::out_of_range("no element " + std::string(name));
}

const Element& Scene::operator[](std::string_view name) const {
    return const_cast<Scene&>(*this)[name];
}

const Element* Scene::HitTest(int x, int y) const {
    for (auto it = elements_.rbegin(); it != elements_.rend(); ++it) {
        if (it->visible && it->enabled && it->bounds.Contains(x, y)) return &*it;
    }
    return nullptr;
}

Twin::Twin(Scene& scene, std::string_view stem, int dx, int dy)
    : b_(&scene[std::string(stem) + "B"]), n_(&scene[std::string(stem) + "N"]), dx_(dx), dy_(dy) {}

void Twin::SetText(const std::string& text) {
    b_->text = n_->text = text;
}
void Twin::SetHint(const std::string& hint) {
    b_->hint = n_->hint = hint;
}
void Twin::SetVisible(bool visible) {
    b_->visible = n_->visible = visible;
}
void Twin::SetPopupMenu(const std::string& menu) {
    b_->popupMenu = n_->popupMenu = menu;
}

void Twin::SetBounds(const Rect& r) {
    b_->bounds = r;
    SyncBounds();
}

void Twin::SyncBounds() {
    n_->bounds = b_->bounds.Moved(dx_, dy_);
}

MenuItem& Menu::Add(MenuItem item) {
    items_.push_back(std::move(item));
    return items_.back();
}

MenuItem& Menu::AddSeparator() {
    MenuItem item;
    item.separator = true;
    return Add(std::move(item));
}

MenuItem* Menu::Find(std::string_view name) {
    for (auto& item : items_)
        if (!item.separator && item.name == name) return &item;
    return nullptr;
}

MenuItem& Menu::operator[](std::string_view name) {
    if (MenuItem* item = Find(name)) return *item;
    throw std::out_of_range("no menu item " + std::string(name));
}

std::vector<Rect> ChangedAreas(const Scene& before, const Scene& after, int overflow) {
    const auto& a = before.Elements();
    const auto& b = after.Elements();
    std::vector<Rect> areas;
    auto place = [&](const Element& e) {
        if (!e.visible || e.bounds.width <= 0 || e.bounds.height <= 0) return;
        Rect r = e.bounds;
        if (e.kind == ElementKind::Label && !e.clip)
            r = {r.left - overflow, r.top, r.width + 2 * overflow, r.height};
        areas.push_back(r);
    };
    if (a.size() != b.size()) {
        for (const Element& e : a)
            place(e);
        for (const Element& e : b)
            place(e);
        return areas;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const Element& was = a[i];
        const Element& now = b[i];
        if (was == now) continue;
        Element same = was;
        same.bounds.left = now.bounds.left;
        same.bounds.width = now.bounds.width;
        if (was.kind == ElementKind::Shape && was.visible && same == now) {
            // A bar that moved along its own line: only the strips at its ends.
            const Rect& p = was.bounds;
            const Rect& q = now.bounds;
            for (auto [x1, x2] : {std::pair{p.left, q.left}, std::pair{p.Right(), q.Right()}}) {
                const int from = std::min(x1, x2), to = std::max(x1, x2);
                if (to > from) areas.push_back({from, p.top, to - from, p.height});
            }
            continue;
        }
        place(was);
        place(now);
    }
    return areas;
}

} // namespace pilotune
