#pragma once
// Paints a Scene of windowless elements onto a device context, in order,
// double-buffered by the caller's choice.
#include <windows.h>

#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "base/HandleWin32.h"
#include "ui/Elements.h"

namespace pilotune {

COLORREF ToColorRef(std::uint32_t rgb);

class ScenePainter {
  public:
    // Draws a picture element; the form knows what its picture ids mean.
    using PictureDrawer = std::function<void(HDC, const Element&)>;

    explicit ScenePainter(PictureDrawer pictures) : pictures_(std::move(pictures)) {}
    ScenePainter(const ScenePainter&) = delete;
    ScenePainter& operator=(const ScenePainter&) = delete;
    ~ScenePainter();

    // Fills `area` with `background`, then paints every visible element.
    void Paint(HDC dc, const RECT& area, COLORREF background, const Scene& scene);
    // Paints into an off-screen bitmap first, then copies it: no flicker.
    void PaintBuffered(HDC dc, const RECT& area, COLORREF background, const Scene& scene);
    // The same for a few areas of a `size` client only: each is filled,
    // gets the elements that reach into it (grown by `reach` for what a
    // picture or shadow draws past its bounds), clipped to it, and is copied
    // alone. Nothing outside the areas is drawn or copied.
    void PaintAreas(HDC dc, SIZE size, const std::vector<RECT>& areas, COLORREF background,
                    const Scene& scene, int reach);

    // One visible element, whatever its kind (clipping is the caller's). A
    // label leaves its font selected in `dc`: a context of the caller's own
    // is deleted before the painter, or gets its font back from the caller.
    void PaintElement(HDC dc, const Element& e);

    HFONT FontFor(const Font& font);
    // The font a label is painted with: its own, or for a wrapped label whose
    // text would not fit its bounds, the largest smaller one (down to half
    // the height) that fits, so that no line is cut off.
    Font FittedFont(HDC dc, const Element& e);

  private:
    // The off-screen context with a bitmap of at least w x h, or null.
    HDC Buffer(HDC dc, int w, int h);
    void PaintLabel(HDC dc, const Element& e);
    static void PaintShape(HDC dc, const Element& e);

    PictureDrawer pictures_;
    std::map<std::tuple<std::string, int, bool>, FontHandle> fonts_;
    // The back buffer and the context it stays selected into, both kept
    // while the size stays the same.
    BitmapHandle buffer_;
    MemoryDc memory_;
    HGDIOBJ memoryDefault_ = nullptr; // the context's own bitmap, put back on a resize
    int bufferW_ = 0, bufferH_ = 0;
};

} // namespace pilotune
