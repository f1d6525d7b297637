#include "ui/PicturesWin32.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "base/HandleWin32.h"
#include "ui/Pictures.h"

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

// Draws on the picture's design grid: grid point (gx, gy) lands at
// origin + g * size / grid, so a picture at its design size is drawn pixel
// for pixel and a larger one is scaled, shadow offset and line widths too.
struct Pen {
    HDC dc;
    COLORREF color;
    int dx, dy; // the shadow is drawn one grid unit right and one up
    Rect bounds;
    int gridW, gridH;

    int X(int gx) const { return bounds.left + (gx + dx) * bounds.width / gridW; }
    int Y(int gy) const { return bounds.top + (gy + dy) * bounds.height / gridH; }

    void Box(int x, int y, int w, int h) const {
        RECT r{X(x), Y(y), X(x + w), Y(y + h)};
        FillRect(dc, &r, DcBrush(dc, color));
    }
    void Poly(std::vector<POINT> points) const {
        for (auto& p : points)
            p = {X(p.x), Y(p.y)};
        HGDIOBJ ob = SelectObject(dc, DcBrush(dc, color)),
                op = SelectObject(dc, DcPen(dc, color, 1));
        Polygon(dc, points.data(), static_cast<int>(points.size()));
        SelectObject(dc, ob);
        SelectObject(dc, op);
    }
    void Line(int x1, int y1, int x2, int y2, int width = 2) const {
        const int scaled = std::max(1, width * bounds.width / gridW);
        HGDIOBJ op = SelectObject(dc, DcPen(dc, color, scaled));
        MoveToEx(dc, X(x1), Y(y1), nullptr);
        LineTo(dc, X(x2), Y(y2));
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

bool IsModePicture(std::string_view id) {
    return id == pictures::kNormale || id == pictures::kBoucle || id == pictures::kExtrait ||
           id == pictures::kExtraitBoucle;
}

} // namespace

void DrawPicture(HDC dc, std::string_view id, const Rect& bounds) {
    if (bounds.width <= 0 || bounds.height <= 0) return;
    if (id == pictures::kEnregistre) { // the record mark: a red dot, black ring
        HGDIOBJ ob = SelectObject(dc, DcBrush(dc, RGB(230, 20, 20)));
        HGDIOBJ op = SelectObject(dc, DcPen(dc, RGB(0, 0, 0), 1));
        Ellipse(dc, bounds.left, bounds.top, bounds.Right(), bounds.Bottom());
        SelectObject(dc, ob);
        SelectObject(dc, op);
        return;
    }
    const bool mode = IsModePicture(id);
    const int gridW = mode ? pictures::kModeGridWidth : pictures::kButtonGrid;
    const int gridH = mode ? pictures::kModeGridHeight : pictures::kButtonGrid;
    // The buttons' pictures go by the button's name, with or without the
    // final "S" of their normal-picture twin.
    if (id.size() > 4 && id.back() == 'S') id.remove_suffix(1);
    Glyph(Pen{dc, RGB(0, 0, 0), 1, -1, bounds, gridW, gridH}, id, 0, 0);
    Glyph(Pen{dc, RGB(255, 255, 255), 0, 0, bounds, gridW, gridH}, id, 0, 0);
}

} // namespace pilotune
