// BitBlt and StretchBlt with SRCCOPY, in integer arithmetic so that every scale is exact and
// repeatable. Each axis maps source and destination pixels as GDI does (see spansOf):
// enlarging repeats source pixels, and shrinking follows the default stretch mode,
// BLACKONWHITE, combining the source pixels that fall on one destination pixel with a bitwise
// AND, so thin dark lines survive a reduction.
#include <algorithm>
#include <vector>

#include "platform/gdi/objects.h"

namespace {

// Source pixels [first, end) along one axis; empty where the source has none.
struct Span {
    int first = 0, end = 0;
};

// The first source pixel, of count shrinking to size, that falls on destination pixel d or after.
long long firstSourceOf(long long d, long long size, long long count) {
    const long long numerator = 2 * count * d + 1 - size;
    return numerator <= 0 ? 0 : (numerator + 2 * size - 1) / (2 * size);
}

// Along one axis, for destination pixels [firstDest, endDest) of a size-pixel rectangle drawn
// from count source pixels starting at surface position start, the source pixels behind each,
// clipped to [low, high). GDI steps along both as along a line, which comes to this: enlarging
// (or keeping the size), destination pixel d takes the source pixel under its centre, ties
// going to the lower one, ((2 d + 1) count - 1) / 2 size; shrinking, source pixel s falls on
// destination pixel ((2 s + 1) size - 1) / 2 count, and each destination pixel gets a run.
void spansOf(long long firstDest, long long endDest, long long size, long long count,
             long long start, long long low, long long high, std::vector<Span> *spans) {
    spans->resize(static_cast<size_t>(endDest - firstDest));
    for (long long d = firstDest; d < endDest; ++d) {
        long long first, end;
        if (count <= size) {
            first = ((2 * d + 1) * count - 1) / (2 * size);
            end = first + 1;
        } else {
            first = firstSourceOf(d, size, count);
            end = std::min(firstSourceOf(d + 1, size, count), count);
        }
        first = std::max(first + start, low);
        end = std::min(end + start, high);
        (*spans)[static_cast<size_t>(d - firstDest)] = {static_cast<int>(first),
                                                        static_cast<int>(std::max(first, end))};
    }
}

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

    // The source columns and rows behind every destination column and row, within the source.
    static std::vector<Span> columns, rows;
    spansOf(firstColumn, endColumn, width, sourceWidth, from->origin.x + sourceX, fromClip.left,
            fromClip.right, &columns);
    spansOf(firstRow, endRow, height, sourceHeight, from->origin.y + sourceY, fromClip.top,
            fromClip.bottom, &rows);
    Surface &output = *to->surface;
    for (long long dy = firstRow; dy < endRow; ++dy) {
        const Span &rowSpan = rows[static_cast<size_t>(dy - firstRow)];
        uint32_t *out = &output.pixels[static_cast<size_t>(top + dy) * output.width +
                                       static_cast<size_t>(left + firstColumn)];
        for (size_t i = 0; i < columns.size() && rowSpan.first < rowSpan.end; ++i) {
            const Span &columnSpan = columns[i];
            if (columnSpan.first >= columnSpan.end)
                continue;
            uint32_t pixel = 0xFFFFFFFFu;
            for (int row = rowSpan.first; row < rowSpan.end; ++row) {
                const uint32_t *in = &input->pixels[static_cast<size_t>(row) * input->width];
                for (int column = columnSpan.first; column < columnSpan.end; ++column)
                    pixel &= in[column];
            }
            out[i] = pixel;
        }
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
