#include "bar/BarPicturesWin32.h"

#include <map>
#include <utility>
#include <vector>

#include "base/HandleWin32.h"

namespace pilotune {

namespace {

// Fills and thin outlines take the DC's own brush and pen, coloured per call:
// nothing is created while painting. Wider pens are made once and kept.
HBRUSH DcBrush(HDC dc, COLORREF color) {
    SetDCBrushColor(dc, color);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}
HPEN DcPen(HDC dc, COLORREF color, int width) {
    if (width <= 1) {
        SetDCPenColor(dc, color);
        return static_cast<HPEN>(GetStockObject(DC_PEN));
    }
    static std::map<std::pair<COLORREF, int>, GdiObject<HPEN>> pens;
    auto& pen = pens[{color, width}];
    if (!pen) pen.Reset(CreatePen(PS_SOLID, width, color));
    return pen.Get();
}

struct Pen {
    HDC dc;
    COLORREF color;
    int dx, dy; // the shadow is drawn one pixel right and one pixel up

    void Box(int x, int y, int w, int h) const {
        RECT r{x + dx, y + dy, x + dx + w, y + dy + h};
        FillRect(dc, &r, DcBrush(dc, color));
    }
    void Poly(std::vector<POINT> points) const {
        for (auto& p : points) {
            p.x += dx;
            p.y += dy;
        }
        HGDIOBJ ob = SelectObject(dc, DcBrush(dc, color)),
                op = SelectObject(dc, DcPen(dc, color, 1));
        Polygon(dc, points.data(), static_cast<int>(points.size()));
        SelectObject(dc, ob);
        SelectObject(dc, op);
    }
    void Line(int x1, int y1, int x2, int y2, int width = 2) const {
        HGDIOBJ op = SelectObject(dc, DcPen(dc, color, width));
        MoveToEx(dc, x1 + dx, y1 + dy, nullptr);
        LineTo(dc, x2 + dx, y2 + dy);
        SelectObject(dc, op);
    }
};

// Glyphs on a 10 x 10 grid at (x, y).
void Play(const Pen& p, int x, int y) {
    p.Poly({{x + 2, y}, {x + 8, y + 5}, {x + 2, y + 9}});
}

void Glyph(const Pen& p, std::string_view id, int x, int y) {
    if (id == "imgJoue") {
        Play(p, x, y);
    } else if (id == "imgPause") {
        p.Box(x + 1, y + 1, 3, 8);
        p.Box(x + 6, y + 1, 3, 8);
    } else if (id == "imgStop") {
        p.Box(x + 1, y + 1, 8, 8);
    } else if (id == "imgRecule") {
        p.Box(x + 1, y + 1, 2, 8);
        p.Poly({{x + 9, y + 1}, {x + 4, y + 5}, {x + 9, y + 8}});
    } else if (id == "imgAvance") {
        p.Poly({{x + 1, y + 1}, {x + 6, y + 5}, {x + 1, y + 8}});
        p.Box(x + 7, y + 1, 2, 8);
    } else if (id == "imgFerme") {
        p.Line(x + 1, y + 1, x + 8, y + 8);
        p.Line(x + 8, y + 1, x + 1, y + 8);
    } else if (id == "imgNormale") { // a straight arrow: plays on
        p.Box(x + 2, y + 5, 12, 2);
        p.Poly({{x + 13, y + 2}, {x + 18, y + 6}, {x + 13, y + 9}});
    } else if (id == "imgBoucle") { // a loop with its arrow head
        p.Box(x + 3, y + 2, 13, 2);
        p.Box(x + 3, y + 9, 15, 2);
        p.Box(x + 2, y + 3, 2, 7);
        p.Box(x + 16, y + 3, 2, 7);
        p.Poly({{x + 6, y + 0}, {x + 10, y + 3}, {x + 6, y + 5}});
    } else if (id == "imgExtrait") { // an arrow stopped by a bar: the first seconds
        p.Box(x + 2, y + 5, 9, 2);
        p.Poly({{x + 10, y + 2}, {x + 14, y + 6}, {x + 10, y + 9}});
        p.Box(x + 16, y + 1, 2, 10);
    } else if (id == "imgExtraitBoucle") {
        p.Box(x + 2, y + 2, 10, 2);
        p.Box(x + 2, y + 9, 10, 2);
        p.Box(x + 1, y + 3, 2, 7);
        p.Box(x + 11, y + 3, 2, 7);
        p.Poly({{x + 4, y + 0}, {x + 8, y + 3}, {x + 4, y + 5}});
        p.Box(x + 16, y + 1, 2, 10);
    }
}

} // namespace

void DrawBarPicture(HDC dc, std::string_view id, const Rect& bounds) {
    if (id == "imgEnregistreS") { // the record mark: a red dot, black ring
        HGDIOBJ ob = SelectObject(dc, DcBrush(dc, RGB(230, 20, 20)));
        HGDIOBJ op = SelectObject(dc, DcPen(dc, RGB(0, 0, 0), 1));
        Ellipse(dc, bounds.left, bounds.top, bounds.left + 10, bounds.top + 10);
        SelectObject(dc, ob);
        SelectObject(dc, op);
        return;
    }
    // The buttons' pictures go by the button's name, with or without the
    // final "S" of their normal-picture twin.
    if (id.size() > 4 && id.back() == 'S') id.remove_suffix(1);
    Glyph(Pen{dc, RGB(0, 0, 0), 1, -1}, id, bounds.left, bounds.top);
    Glyph(Pen{dc, RGB(255, 255, 255), 0, 0}, id, bounds.left, bounds.top);
}

} // namespace pilotune
