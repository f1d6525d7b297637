#pragma once
// Windowless graphic elements (labels, shapes, pictures) of a form that paints
// itself: plain objects with bounds, text, font, visibility and hint. The form
// paints them in order and hit-tests them for the mouse; the logic only changes
// their fields.
#include <cstdint>
#include <string>
#include <string_view>
#include <deque>
#include <vector>

namespace pilotune {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool Contains(int x, int y) const {
        return x >= left && x < Right() && y >= top && y < Bottom();
    }
    Rect Moved(int dx, int dy) const { return {left + dx, top + dy, width, height}; }
    bool operator==(const Rect&) const = default;
};

enum class ElementKind { Label, Shape, Picture };
enum class TextAlign { Left, Right, Center };

struct Font {
    std::string face = "MS Sans Serif";
    int height = 11; // pixels
    bool bold = true;
    bool operator==(const Font&) const = default;
};

// Colours as 0xRRGGBB.
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kRed = 0xFF0000;

struct Element {
    std::string name{};
    ElementKind kind = ElementKind::Label;
    Rect bounds{};
    bool visible = true;
    bool enabled = true; // a disabled element takes no mouse input
    std::string text{};  // labels
    std::string hint{};  // tooltip; empty for none
    Font font{};
    TextAlign align = TextAlign::Left;
    std::uint32_t color = kWhite; // text colour, or fill colour of a shape
    bool outline = false;         // shapes: a 1-pixel frame of `color` instead of a fill
    std::string picture{};        // pictures: the id of the bitmap shown
    std::string popupMenu{};      // name of the right-click menu, empty for none
    bool wrap = false;            // labels: words wrapped onto lines inside the bounds
    bool clip = true;             // labels: text cut at the bounds
    bool operator==(const Element&) const = default;
};

// The ordered elements of one form: painted first to last, hit-tested last to first.
class Scene {
  public:
    Element& Add(Element e);
    // The element of that name; a programming error (it throws) when absent.
    Element& operator[](std::string_view name);
    const Element& operator[](std::string_view name) const;
    Element* Find(std::string_view name);
    // The topmost visible, enabled element under (x, y), or null.
    const Element* HitTest(int x, int y) const;
    const std::deque<Element>& Elements() const { return elements_; }
    bool operator==(const Scene&) const = default;

  private:
    std::deque<Element> elements_; // references stay valid as elements are added
};

// The areas to repaint when `before` became `after`: each changed element's
// old and new place, a shape that only grew or shrank along its line by its
// strips alone (every place of both when the elements differ in number).
// Labels drawn past their bounds (one line of text wider than the label)
// widen theirs by `overflow` left and right.
std::vector<Rect> ChangedAreas(const Scene& before, const Scene& after, int overflow);

// A white element ("...B") and its black shadow twin ("...N"), one pixel right
// and one pixel up beneath it (or `dx`, `dy` away). Every change goes through
// here so that the two never differ.
class Twin {
  public:
    // stem "lblTitre" -> lblTitreB / lblTitreN
    Twin(Scene& scene, std::string_view stem, int dx = 1, int dy = -1);
    Element& B() { return *b_; }
    Element& N() { return *n_; }
    void SetText(const std::string& text);
    void SetHint(const std::string& hint);
    void SetVisible(bool visible);
    void SetBounds(const Rect& r);
    void SetPopupMenu(const std::string& menu);
    // The shadow follows the white element's current bounds.
    void SyncBounds();

  private:
    Element* b_;
    Element* n_;
    int dx_, dy_;
};

// Popup menus as data: the form builds the real menu from this when it opens.
struct MenuItem {
    std::string name;    // mnu... identifier
    std::string caption; // empty with `separator`
    bool separator = false;
    bool checked = false;
    bool visible = true;
    bool enabled = true;
    bool isDefault = false;
};

class Menu {
  public:
    explicit Menu(std::string name = {}) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }
    MenuItem& Add(MenuItem item);
    MenuItem& AddSeparator();
    MenuItem& operator[](std::string_view name);
    MenuItem* Find(std::string_view name);
    std::vector<MenuItem>& Items() { return items_; }
    const std::vector<MenuItem>& Items() const { return items_; }

  private:
    std::string name_;
    std::vector<MenuItem> items_;
};

} // namespace pilotune
