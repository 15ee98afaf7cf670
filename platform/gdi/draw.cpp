// The layer's own drawing primitives for control and menu looks.
#include <utility>

#include "platform/gdi/objects.h"

namespace {

// Fills a rectangle given in surface coordinates, clipped to the context's output.
void fillSurfaceRect(DeviceContext *dc, RECT area, uint32_t pixel) {
    area = intersectRects(area, outputClip(*dc));
    if (rectIsEmpty(area))
        return;
    Surface &surface = *dc->surface;
    for (LONG y = area.top; y < area.bottom; ++y) {
        uint32_t *row = &surface.pixels[static_cast<size_t>(y) * surface.width];
        for (LONG x = area.left; x < area.right; ++x)
            row[x] = pixel;
    }
}

RECT toSurface(const DeviceContext &dc, const RECT &rect) {
    return offsetRect(rect, dc.origin.x, dc.origin.y);
}

} // namespace

void fillSolidRect(HDC handle, const RECT &rect, COLORREF color) {
    DeviceContext *dc = findDC(handle);
    if (dc && dc->surface)
        fillSurfaceRect(dc, toSurface(*dc, rect), pixelFromColor(color));
}

// The outline in a checker pattern aligned to the context's origin, as a brush is: a pixel is
// inverted where its distance from the origin, in x plus y, is even.
void invertDottedFrame(HDC handle, const RECT &rect) {
    DeviceContext *dc = findDC(handle);
    if (!dc || !dc->surface || rectIsEmpty(rect))
        return;
    const RECT area = toSurface(*dc, rect);
    const RECT clip = outputClip(*dc);
    const POINT phase = dc->origin;
    auto dot = [&](LONG x, LONG y) {
        if (((x - phase.x + y - phase.y) % 2 + 2) % 2 == 0 && x >= clip.left && x < clip.right &&
            y >= clip.top && y < clip.bottom) {
            uint32_t &pixel = dc->surface->pixels[static_cast<size_t>(y) * dc->surface->width + x];
            pixel ^= 0xFFFFFFu;
        }
    };
    for (LONG x = area.left; x < area.right; ++x) {
        dot(x, area.top);
        dot(x, area.bottom - 1);
    }
    for (LONG y = area.top + 1; y < area.bottom - 1; ++y) {
        dot(area.left, y);
        dot(area.right - 1, y);
    }
}

void drawHorizontalLine(HDC handle, int x1, int x2, int y, COLORREF color) {
    DeviceContext *dc = findDC(handle);
    if (!dc || !dc->surface)
        return;
    if (x2 < x1)
        std::swap(x1, x2);
    fillSurfaceRect(dc, toSurface(*dc, RECT{x1, y, x2, y + 1}), pixelFromColor(color));
}

void drawVerticalLine(HDC handle, int x, int y1, int y2, COLORREF color) {
    DeviceContext *dc = findDC(handle);
    if (!dc || !dc->surface)
        return;
    if (y2 < y1)
        std::swap(y1, y2);
    fillSurfaceRect(dc, toSurface(*dc, RECT{x, y1, x + 1, y2}), pixelFromColor(color));
}
