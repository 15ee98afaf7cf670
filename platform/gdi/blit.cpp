// BitBlt and StretchBlt with SRCCOPY. Stretching is nearest-neighbour in integer arithmetic:
// destination pixel (dx, dy) of a w x h rectangle takes source pixel
// (sx + dx * sw / w, sy + dy * sh / h), so every scale is exact and repeatable.
#include <vector>

#include "platform/gdi/objects.h"

namespace {

BOOL stretchCopy(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                 int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    DeviceContext *to = findDC(destination);
    DeviceContext *from = findDC(source);
    if (!to || !from || rop != SRCCOPY || !to->surface || !from->surface)
        return FALSE;
    if (width < 0 || height < 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return FALSE;
    if (width == 0 || height == 0)
        return TRUE;

    const RECT toClip = outputClip(*to);
    const RECT fromClip = outputClip(*from);
    const long long left = static_cast<long long>(to->origin.x) + x;
    const long long top = static_cast<long long>(to->origin.y) + y;
    const long long firstColumn = std::max<long long>(0, toClip.left - left);
    const long long endColumn = std::min<long long>(width, toClip.right - left);
    const long long firstRow = std::max<long long>(0, toClip.top - top);
    const long long endRow = std::min<long long>(height, toClip.bottom - top);
    if (firstColumn >= endColumn || firstRow >= endRow)
        return TRUE;

    // Copying within one surface reads from a snapshot, so overlapping rectangles work.
    const Surface *input = from->surface;
    Surface snapshot;
    if (from->surface == to->surface) {
        snapshot = *from->surface;
        input = &snapshot;
    }

    // Source column of every destination column, or -1 where the source has no pixel.
    static std::vector<int> columns;
    columns.resize(static_cast<size_t>(endColumn - firstColumn));
    for (long long dx = firstColumn; dx < endColumn; ++dx) {
        long long column =
            from->origin.x + static_cast<long long>(sourceX) + dx * sourceWidth / width;
        columns[static_cast<size_t>(dx - firstColumn)] =
            column >= fromClip.left && column < fromClip.right ? static_cast<int>(column) : -1;
    }
    Surface &output = *to->surface;
    for (long long dy = firstRow; dy < endRow; ++dy) {
        long long row =
            from->origin.y + static_cast<long long>(sourceY) + dy * sourceHeight / height;
        if (row < fromClip.top || row >= fromClip.bottom)
            continue;
        const uint32_t *in = &input->pixels[static_cast<size_t>(row) * input->width];
        uint32_t *out = &output.pixels[static_cast<size_t>(top + dy) * output.width +
                                       static_cast<size_t>(left + firstColumn)];
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i] >= 0)
                out[i] = in[columns[i]];
    }
    return TRUE;
}

} // namespace

BOOL WINAPI BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                   int sourceY, DWORD rop) {
    if (width < 0 || height < 0)
        return FALSE;
    if (width == 0 || height == 0)
        return findDC(destination) && findDC(source) ? TRUE : FALSE;
    return stretchCopy(destination, x, y, width, height, source, sourceX, sourceY, width, height,
                       rop);
}

BOOL WINAPI StretchBlt(HDC destination, int x, int y, int width, int height, HDC source,
                       int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    return stretchCopy(destination, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                       sourceHeight, rop);
}
