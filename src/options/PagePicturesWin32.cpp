#include "options/PagePicturesWin32.h"

#include <initializer_list>

namespace pilotune {

namespace {

// The pen and brush of a picture selected into the DC for its life, and
// points given in percent of its square.
class Canvas {
  public:
    Canvas(HDC dc, RECT r, int dpi, bool enabled)
        : dc_(dc), r_(r), s_(MulDiv(2, dpi, 96)),
          pen_(CreatePen(PS_SOLID, s_,
                         enabled ? RGB(0x2B, 0x57, 0x97) : GetSysColor(COLOR_GRAYTEXT))),
          brush_(CreateSolidBrush(enabled ? RGB(0xD6, 0xE4, 0xF5) : GetSysColor(COLOR_BTNFACE))),
          oldPen_(SelectObject(dc, pen_)), oldBrush_(SelectObject(dc, brush_)) {}
    ~Canvas() {
        SelectObject(dc_, oldBrush_);
        SelectObject(dc_, oldPen_);
        DeleteObject(brush_);
        DeleteObject(pen_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int X(int percent) const { return r_.left + W() * percent / 100; }
    int Y(int percent) const { return r_.top + H() * percent / 100; }
    int W() const { return r_.right - r_.left; }
    int H() const { return r_.bottom - r_.top; }
    int Stroke() const { return s_; }
    HDC Dc() const { return dc_; }
    void Line(int x0, int y0, int x1, int y1) const {
        MoveToEx(dc_, X(x0), Y(y0), nullptr);
        LineTo(dc_, X(x1), Y(y1));
    }
    void Box(int x0, int y0, int x1, int y1) const { Rectangle(dc_, X(x0), Y(y0), X(x1), Y(y1)); }
    void Oval(int x0, int y0, int x1, int y1) const { Ellipse(dc_, X(x0), Y(y0), X(x1), Y(y1)); }
    void WhiteFill() const { SelectObject(dc_, GetStockObject(WHITE_BRUSH)); }

  private:
    HDC dc_;
    RECT r_;
    int s_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ oldPen_, oldBrush_;
};

} // namespace

// A wrench-like gear: a ring with four teeth.
void DrawGearPicture(HDC dc, RECT r, int dpi, bool enabled) {
    const Canvas c(dc, r, dpi, enabled);
    const int cx = c.X(50), cy = c.Y(50), w = c.W(), h = c.H();
    const int dx[] = {0, 1, 0, -1}, dy[] = {-1, 0, 1, 0};
    for (int k = 0; k < 4; ++k) {
        const int x = cx + dx[k] * w * 40 / 100, y = cy + dy[k] * h * 40 / 100;
        Rectangle(dc, x - w / 10, y - h / 10, x + w / 10, y + h / 10);
    }
    c.Oval(20, 20, 80, 80);
    c.WhiteFill();
    c.Oval(38, 38, 62, 62);
}

// A list with a note.
void DrawProgrammePicture(HDC dc, RECT r, int dpi, bool enabled) {
    const Canvas c(dc, r, dpi, enabled);
    c.Box(10, 10, 70, 90);
    for (int k = 0; k < 4; ++k)
        c.Line(20, 25 + 17 * k, 60, 25 + 17 * k);
    c.Oval(62, 70, 86, 92);
    c.Line(85, 80, 85, 30);
    LineTo(dc, c.X(95), c.Y(38));
}

// A keyboard.
void DrawKeyboardPicture(HDC dc, RECT r, int dpi, bool enabled) {
    const Canvas c(dc, r, dpi, enabled);
    RoundRect(dc, c.X(5), c.Y(25), c.X(95), c.Y(80), c.Stroke() * 3, c.Stroke() * 3);
    for (int row = 0; row < 2; ++row)
        for (int k = 0; k < 5; ++k)
            c.Box(12 + 16 * k, 33 + 16 * row, 22 + 16 * k, 43 + 16 * row);
    c.Box(25, 65, 75, 73);
}

// Two sheets and an arrow.
void DrawCopyPicture(HDC dc, RECT r, int dpi, bool enabled) {
    const Canvas c(dc, r, dpi, enabled);
    c.Box(30, 8, 85, 72);
    c.Box(15, 28, 70, 92);
    POINT arrow[] = {{c.X(30), c.Y(60)}, {c.X(52), c.Y(60)}, {c.X(52), c.Y(52)}, {c.X(62), c.Y(65)},
                     {c.X(52), c.Y(78)}, {c.X(52), c.Y(70)}, {c.X(30), c.Y(70)}};
    c.WhiteFill();
    Polygon(dc, arrow, 7);
}

// A clock.
void DrawClockPicture(HDC dc, RECT r, int dpi, bool enabled) {
    const Canvas c(dc, r, dpi, enabled);
    c.Oval(10, 10, 90, 90);
    c.Line(50, 22, 50, 50);
    LineTo(dc, c.X(70), c.Y(62));
}

// A loudspeaker with two waves of sound.
void DrawSpeakerPicture(HDC dc, RECT r, int dpi, bool enabled) {
    const Canvas c(dc, r, dpi, enabled);
    POINT cone[] = {{c.X(8), c.Y(36)},  {c.X(28), c.Y(36)}, {c.X(52), c.Y(14)},
                    {c.X(52), c.Y(86)}, {c.X(28), c.Y(64)}, {c.X(8), c.Y(64)}};
    Polygon(dc, cone, 6);
    c.Line(28, 36, 28, 64);
    // Two arcs about the cone's mouth, from below to above on the right.
    for (const int radius : {16, 32})
        Arc(dc, c.X(54 - radius), c.Y(50 - radius), c.X(54 + radius), c.Y(50 + radius), c.X(100),
            c.Y(85), c.X(100), c.Y(15));
}

} // namespace pilotune
