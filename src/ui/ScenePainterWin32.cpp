#include "ui/ScenePainterWin32.h"

#include <algorithm>

#include "base/EncodingWin32.h"

namespace pilotune {

COLORREF ToColorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

ScenePainter::~ScenePainter() = default;

HFONT ScenePainter::FontFor(const Font& font) {
    const auto key = std::make_tuple(font.face, font.height, font.bold);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second.Get();
    LOGFONTW lf{};
    lf.lfHeight = -font.height; // character height in pixels
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    const std::wstring face = Widen(font.face);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return fonts_.emplace(key, FontHandle(CreateFontIndirectW(&lf))).first->second.Get();
}

Font ScenePainter::FittedFont(HDC dc, const Element& e) {
    Font font = e.font;
    if (!e.wrap || e.text.empty()) return font;
    const std::wstring text = Widen(e.text);
    const int smallest = std::max(1, font.height / 2);
    for (;;) {
        SelectObject(dc, FontFor(font));
        RECT need{0, 0, e.bounds.width, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need,
                  DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
        const bool fits = need.right <= e.bounds.width && need.bottom <= e.bounds.height;
        if (fits || font.height <= smallest) return font;
        font.height = std::max(smallest, font.height * 9 / 10);
    }
}

void ScenePainter::PaintLabel(HDC dc, const Element& e) {
    if (e.text.empty()) return;
    RECT r{e.bounds.left, e.bounds.top, e.bounds.Right(), e.bounds.Bottom()};
    // The label's font stays in the context: putting the context's own font
    // back after each label costs Wine a read of the X resource files.
    SelectObject(dc, FontFor(FittedFont(dc, e)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(e.color));
    UINT format = DT_NOPREFIX | DT_TOP | (e.wrap ? DT_WORDBREAK : DT_SINGLELINE);
    if (!e.clip) format |= DT_NOCLIP;
    if (e.align == TextAlign::Right)
        format |= DT_RIGHT;
    else if (e.align == TextAlign::Center)
        format |= DT_CENTER;
    const std::wstring text = Widen(e.text);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void ScenePainter::PaintShape(HDC dc, const Element& e) {
    if (e.bounds.width <= 0 || e.bounds.height <= 0) return;
    RECT r{e.bounds.left, e.bounds.top, e.bounds.Right(), e.bounds.Bottom()};
    // The DC's own brush, coloured per shape: nothing is created per paint.
    SetDCBrushColor(dc, ToColorRef(e.color));
    HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    if (e.outline)
        FrameRect(dc, &r, brush);
    else
        FillRect(dc, &r, brush);
}

void ScenePainter::Paint(HDC dc, const RECT& area, COLORREF background, const Scene& scene) {
    // A context that is not the painter's own gets its font back at the end.
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    SetDCBrushColor(dc, background);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    for (const Element& e : scene.Elements())
        if (e.visible) PaintElement(dc, e);
    if (dc != memory_.Get()) SelectObject(dc, font);
}

void ScenePainter::PaintElement(HDC dc, const Element& e) {
    switch (e.kind) {
    case ElementKind::Label:
        PaintLabel(dc, e);
        break;
    case ElementKind::Shape:
        PaintShape(dc, e);
        break;
    case ElementKind::Picture:
        if (pictures_) pictures_(dc, e);
        break;
    }
}

HDC ScenePainter::Buffer(HDC dc, int w, int h) {
    if (!memory_) memory_.Reset(CreateCompatibleDC(dc));
    HDC memory = memory_.Get();
    if (!memory) return nullptr;
    if (!buffer_ || bufferW_ != w || bufferH_ != h) {
        if (buffer_) SelectObject(memory, memoryDefault_);
        buffer_.Reset(CreateCompatibleBitmap(dc, w, h));
        memoryDefault_ = SelectObject(memory, buffer_.Get());
        bufferW_ = w;
        bufferH_ = h;
    }
    return memory;
}

void ScenePainter::PaintBuffered(HDC dc, const RECT& area, COLORREF background,
                                 const Scene& scene) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    HDC memory = Buffer(dc, w, h);
    if (!memory) return;
    SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
    Paint(memory, area, background, scene);
    SetViewportOrgEx(memory, 0, 0, nullptr);
    BitBlt(dc, area.left, area.top, w, h, memory, 0, 0, SRCCOPY);
}

// Under Wine every GDI call into a context crosses into the Unix side and
// takes its locks: a bar whose time alone changed draws its few elements, not
// its twenty.
void ScenePainter::PaintAreas(HDC dc, SIZE size, const std::vector<RECT>& areas,
                              COLORREF background, const Scene& scene, int reach) {
    if (size.cx <= 0 || size.cy <= 0) return;
    HDC memory = Buffer(dc, size.cx, size.cy);
    if (!memory) return;
    for (const RECT& a : areas) {
        if (a.right <= a.left || a.bottom <= a.top) continue;
        IntersectClipRect(memory, a.left, a.top, a.right, a.bottom);
        SetDCBrushColor(memory, background);
        FillRect(memory, &a, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        for (const Element& e : scene.Elements()) {
            if (!e.visible) continue;
            const Rect& b = e.bounds;
            if (b.left - reach < a.right && a.left < b.Right() + reach &&
                b.top - reach < a.bottom && a.top < b.Bottom() + reach)
                PaintElement(memory, e);
        }
        SelectClipRgn(memory, nullptr);
        BitBlt(dc, a.left, a.top, a.right - a.left, a.bottom - a.top, memory, a.left, a.top,
               SRCCOPY);
    }
}

} // namespace pilotune
