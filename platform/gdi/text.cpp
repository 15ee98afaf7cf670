// Text output: a line of Windows-1252 text at a point, and DrawTextA's lines in a rectangle.
#include <algorithm>
#include <string.h>

#include "platform/gdi/font.h"
#include "platform/gdi/objects.h"

namespace {

void (*drawTextHook)(HDC dc, const char *text, int length) = nullptr;

// Grey coverage blended from the destination towards the text colour.
inline uint32_t blend(uint32_t under, uint32_t over, unsigned coverage) {
    if (coverage >= 255)
        return over;
    const unsigned rest = 255 - coverage;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned a = (over >> shift) & 0xFF, b = (under >> shift) & 0xFF;
        out |= ((a * coverage + b * rest + 127) / 255) << shift;
    }
    return out;
}

// Draws one line with its cell top at surface point (left, top), clipped to `clip` (surface
// coordinates). Returns the advance width.
int drawLine(DeviceContext *dc, long long left, long long top, const char *text, int length,
             const RECT &clip) {
    FontInstance *font = dc->font ? dc->font->instance : nullptr;
    if (!font)
        return 0;
    int advance = 0;
    for (int i = 0; i < length; ++i)
        advance += fontByteGlyph(font, static_cast<unsigned char>(text[i])).advance;
    if (rectIsEmpty(clip))
        return advance;
    Surface &surface = *dc->surface;

    if (dc->backMode == OPAQUE) {
        const uint32_t back = pixelFromColor(dc->backColor);
        const long long x0 = std::max<long long>(left, clip.left);
        const long long x1 = std::min<long long>(left + advance, clip.right);
        const long long y0 = std::max<long long>(top, clip.top);
        const long long y1 = std::min<long long>(top + font->height, clip.bottom);
        for (long long y = y0; y < y1; ++y)
            for (long long x = x0; x < x1; ++x)
                surface.pixels[static_cast<size_t>(y * surface.width + x)] = back;
    }

    const uint32_t ink = pixelFromColor(dc->textColor);
    const long long baseline = top + font->ascent;
    long long pen = left;
    for (int i = 0; i < length; ++i) {
        const Glyph &glyph = fontByteGlyph(font, static_cast<unsigned char>(text[i]));
        if (glyph.coverage.empty()) {
            pen += glyph.advance;
            continue;
        }
        const long long glyphLeft = pen + glyph.left;
        const long long glyphTop = baseline - glyph.top;
        const long long firstColumn = std::max<long long>(0, clip.left - glyphLeft);
        const long long endColumn = std::min<long long>(glyph.width, clip.right - glyphLeft);
        const long long firstRow = std::max<long long>(0, clip.top - glyphTop);
        const long long endRow = std::min<long long>(glyph.height, clip.bottom - glyphTop);
        for (long long row = firstRow; row < endRow; ++row) {
            const uint8_t *coverage = &glyph.coverage[static_cast<size_t>(row * glyph.width)];
            uint32_t *out =
                &surface.pixels[static_cast<size_t>((glyphTop + row) * surface.width + glyphLeft)];
            for (long long column = firstColumn; column < endColumn; ++column)
                if (coverage[column])
                    out[column] = blend(out[column], ink, coverage[column]);
        }
        pen += glyph.advance;
    }
    return advance;
}

struct Line {
    const char *text;
    int length;
};

// Lines end at "\r\n", "\n" or "\r"; a break at the very end starts no further line.
int splitLines(const char *text, int length, bool singleLine, Line *lines, int capacity) {
    if (singleLine) {
        lines[0] = Line{text, length};
        return 1;
    }
    int count = 0, start = 0;
    for (int i = 0; i <= length && count < capacity; ++i) {
        if (i < length && text[i] != '\n' && text[i] != '\r')
            continue;
        if (i == length && start == length && count > 0)
            break;
        lines[count++] = Line{text + start, i - start};
        if (i < length && text[i] == '\r' && i + 1 < length && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    return count;
}

} // namespace

int drawTextAt(HDC handle, int x, int y, const char *text, int length) {
    DeviceContext *dc = findDC(handle);
    if (!dc || !dc->surface || !text)
        return 0;
    if (length < 0)
        length = static_cast<int>(strlen(text));
    return drawLine(dc, static_cast<long long>(dc->origin.x) + x,
                    static_cast<long long>(dc->origin.y) + y, text, length, outputClip(*dc));
}

// Left-aligned lines from the top of the rectangle, one per line break, never wrapped, clipped
// to the rectangle unless DT_NOCLIP. Also DT_CENTER, DT_VCENTER with DT_SINGLELINE, and
// DT_CALCRECT, which only measures. Returns the height of the text.
void setDrawTextHook(void (*hook)(HDC dc, const char *text, int length)) {
    drawTextHook = hook;
}

int WINAPI DrawTextA(HDC handle, LPCSTR text, int length, LPRECT rect, UINT format) {
    DeviceContext *dc = findDC(handle);
    if (!dc || !dc->surface || !text || !rect)
        return 0;
    FontInstance *font = dc->font ? dc->font->instance : nullptr;
    if (!font)
        return 0;
    if (length < 0)
        length = static_cast<int>(strlen(text));
    if (drawTextHook && !(format & DT_CALCRECT))
        drawTextHook(handle, text, length);
    if (length == 0) {
        if (format & DT_CALCRECT) {
            rect->right = rect->left;
            rect->bottom = rect->top;
        }
        return 0;
    }

    enum { lineCapacity = 512 };
    Line lines[lineCapacity];
    const int nrLines =
        splitLines(text, length, (format & DT_SINGLELINE) != 0, lines, lineCapacity);
    const HFONT fontHandle = selectedFont(handle);
    int widest = 0;
    int widths[lineCapacity];
    for (int i = 0; i < nrLines; ++i) {
        widths[i] = textWidth(fontHandle, lines[i].text, lines[i].length);
        widest = std::max(widest, widths[i]);
    }

    long long top = rect->top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        top = (static_cast<long long>(rect->top) + rect->bottom - font->height) / 2;
    const long long end = top + static_cast<long long>(nrLines) * font->height;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = static_cast<LONG>(end);
        return static_cast<int>(end - rect->top);
    }

    RECT clip = outputClip(*dc);
    if (!(format & DT_NOCLIP))
        clip = intersectRects(clip, RECT{rect->left + dc->origin.x, rect->top + dc->origin.y,
                                         rect->right + dc->origin.x, rect->bottom + dc->origin.y});
    for (int i = 0; i < nrLines; ++i) {
        long long left = rect->left;
        if (format & DT_CENTER)
            left = (static_cast<long long>(rect->left) + rect->right - widths[i]) / 2;
        drawLine(dc, left + dc->origin.x,
                 top + static_cast<long long>(i) * font->height + dc->origin.y, lines[i].text,
                 lines[i].length, clip);
    }
    return static_cast<int>(end - rect->top);
}
