#include "options/ListMenuPicturesWin32.h"

#include <algorithm>
#include <vector>

#include "base/HandleWin32.h"
#include "options/ListGesturesWin32.h"

namespace pilotune {

namespace {

constexpr COLORREF kGo = RGB(0x2E, 0x8B, 0x3A);
constexpr COLORREF kStop = RGB(0xC8, 0x2A, 0x2A);
constexpr COLORREF kMove = RGB(0x2B, 0x57, 0x97);
constexpr COLORREF kPaper = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kInk = RGB(0x50, 0x50, 0x50);
constexpr COLORREF kPencil = RGB(0xE0, 0x9A, 0x20);

// Draws on a 16 x 16 grid scaled to the square: fills take the DC's own
// brush, lines one pen per width.
struct Grid {
    HDC dc;
    RECT r;
    int X(int g) const { return r.left + g * (r.right - r.left) / 16; }
    int Y(int g) const { return r.top + g * (r.bottom - r.top) / 16; }
    int Width(int g) const { return std::max(1, g * static_cast<int>(r.right - r.left) / 16); }

    void Box(int x, int y, int w, int h, COLORREF c) const {
        SetDCBrushColor(dc, c);
        const RECT b{X(x), Y(y), X(x + w), Y(y + h)};
        FillRect(dc, &b, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    void Poly(std::vector<POINT> points, COLORREF fill, COLORREF edge) const {
        for (POINT& p : points)
            p = {X(p.x), Y(p.y)};
        SetDCBrushColor(dc, fill);
        SetDCPenColor(dc, edge);
        SelectObject(dc, GetStockObject(DC_BRUSH));
        SelectObject(dc, GetStockObject(DC_PEN));
        Polygon(dc, points.data(), static_cast<int>(points.size()));
    }
    void Lines(std::vector<POINT> points, COLORREF c, int width) const {
        for (POINT& p : points)
            p = {X(p.x), Y(p.y)};
        LOGBRUSH brush{BS_SOLID, c, 0};
        const GdiObject<HPEN> pen{
            ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                         static_cast<DWORD>(Width(width)), &brush, 0, nullptr)};
        const HGDIOBJ old = SelectObject(dc, pen.Get());
        Polyline(dc, points.data(), static_cast<int>(points.size()));
        SelectObject(dc, old);
    }
    void Sheet(int x, int y) const { // a page with three lines of text
        Poly({{x, y}, {x + 9, y}, {x + 9, y + 12}, {x, y + 12}}, kPaper, kInk);
        for (int k = 0; k < 3; ++k)
            Box(x + 2, y + 3 + 3 * k, 5, 1, kInk);
    }
};

} // namespace

void DrawListMenuPicture(HDC dc, UINT id, const RECT& r) {
    const Grid g{dc, r};
    switch (id) {
    case kMnuAjouter: // a plus
        g.Box(6, 2, 4, 12, kGo);
        g.Box(2, 6, 12, 4, kGo);
        break;
    case kMnuModifier: // a pencil
        g.Poly({{2, 14}, {3, 10}, {11, 2}, {14, 5}, {6, 13}}, kPencil, kInk);
        g.Lines({{3, 10}, {6, 13}}, kInk, 1);
        break;
    case kMnuSupprimer: // a cross
        g.Lines({{3, 3}, {13, 13}}, kStop, 3);
        g.Lines({{13, 3}, {3, 13}}, kStop, 3);
        break;
    case kMnuSupprimerTout: // a page crossed out
        g.Sheet(1, 1);
        g.Lines({{7, 7}, {14, 14}}, kStop, 3);
        g.Lines({{14, 7}, {7, 14}}, kStop, 3);
        break;
    case kMnuMonter:
        g.Poly({{8, 1}, {15, 8}, {11, 8}, {11, 15}, {5, 15}, {5, 8}, {1, 8}}, kMove, kMove);
        break;
    case kMnuDescendre:
        g.Poly({{8, 15}, {15, 8}, {11, 8}, {11, 1}, {5, 1}, {5, 8}, {1, 8}}, kMove, kMove);
        break;
    case kMnuRafraichir: // a turning arrow
        g.Lines({{13, 6}, {11, 3}, {8, 2}, {4, 3}, {2, 7}, {3, 11}, {6, 14}, {10, 14}, {13, 11}},
                kGo, 2);
        g.Poly({{10, 6}, {15, 7}, {14, 2}}, kGo, kGo);
        break;
    case kMnuCopier: // two pages
        g.Sheet(1, 0);
        g.Sheet(6, 4);
        break;
    case kMnuFait: // a tick
        g.Lines({{2, 9}, {6, 13}, {14, 3}}, kGo, 3);
        break;
    default:
        break;
    }
}

} // namespace pilotune
