#include <string.h>

#include <gtest/gtest.h>

#include "tests/gdi/gdi_test_support.h"

namespace {

const uint32_t background = 0x123456;

// A bitmap with the position pattern selected into a fresh memory DC.
struct PatternSource {
    PatternSource(int width, int height) {
        std::vector<uint32_t> pixels = positionPattern(width, height);
        bitmap = createBitmapFromPixels(width, height, pixels.data());
        dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
    }
    ~PatternSource() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HBITMAP bitmap;
    HDC dc;
};

// One stretch onto a 60 x 80 screen through a DC with the given origin and clip.
struct StretchCase {
    const char *name;
    int sourceWidth, sourceHeight;
    POINT origin;
    RECT clip;
    int x, y, width, height;
};

// The source pixels behind each destination pixel along one axis, found as GDI finds them: a
// Bresenham walk along the line from (0, 0) to (count, size) that moves on to the next pixel of
// the shorter side when the midpoint between the candidates' centres lies beyond the line.
std::vector<std::vector<int>> sourcesAlong(int size, int count) {
    std::vector<std::vector<int>> sources(size);
    if (count <= size) {
        for (int d = 0, s = 0, error = 3 * count - 2 * size; d < size; ++d) {
            sources[d].push_back(s);
            s += error > 0;
            error += error > 0 ? 2 * count - 2 * size : 2 * count;
        }
    } else {
        for (int s = 0, d = 0, error = 3 * size - 2 * count; s < count; ++s) {
            sources[d].push_back(s);
            d += error > 0;
            error += error > 0 ? 2 * size - 2 * count : 2 * size;
        }
    }
    return sources;
}

// Inside the clip and the screen, each destination pixel of the rectangle holds the bitwise
// AND of its source pixels (BLACKONWHITE), which matches Wine's GDI to the pixel on the stick
// faces, the lever and the about picture; every other pixel is untouched.
TEST(StretchBlt, NearestPixelExactAtEveryScaleAndClip) {
    const RECT all{0, 0, 60, 80};
    const StretchCase cases[] = {
        {"one to one", 12, 48, {0, 0}, all, 3, 4, 12, 48},
        {"four times", 12, 15, {0, 0}, all, 0, 0, 48, 60},
        {"stick face into a stick button", 12, 48, {0, 0}, all, 3, 4, 36, 70},
        {"stick face into a narrow button", 12, 48, {0, 0}, all, 3, 4, 24, 54},
        {"square frame squeezed into a stick button", 48, 48, {0, 0}, all, 3, 4, 36, 70},
        {"lever into the lever button", 48, 48, {0, 0}, all, 1, 1, 45, 41},
        {"about picture reduced", 320, 240, {0, 0}, all, 0, 0, 53, 40},
        {"window origin and clip", 30, 30, {8, 10}, {10, 12, 20, 18}, 0, 0, 30, 30},
        {"runs off every side of the clip", 12, 48, {0, 0}, {5, 6, 15, 40}, -3, -2, 25, 70},
        {"clip larger than the screen", 4, 4, {-2, -2}, {-100, -100, 100, 100}, 0, 0, 90, 90},
    };
    for (const StretchCase &c : cases) {
        PatternSource source(c.sourceWidth, c.sourceHeight);
        const auto columns = sourcesAlong(c.width, c.sourceWidth);
        const auto rows = sourcesAlong(c.height, c.sourceHeight);
        Surface screen;
        screen.resize(60, 80, background);
        HDC dc = createSurfaceDC(&screen, c.origin, c.clip);
        ASSERT_TRUE(StretchBlt(dc, c.x, c.y, c.width, c.height, source.dc, 0, 0, c.sourceWidth,
                               c.sourceHeight, SRCCOPY))
            << c.name;
        releaseSurfaceDC(dc);
        for (int y = 0; y < screen.height; ++y)
            for (int x = 0; x < screen.width; ++x) {
                const int dx = x - c.origin.x - c.x, dy = y - c.origin.y - c.y;
                const bool inside = x >= c.clip.left && x < c.clip.right && y >= c.clip.top &&
                                    y < c.clip.bottom && dx >= 0 && dx < c.width && dy >= 0 &&
                                    dy < c.height;
                uint32_t expected = background;
                if (inside) {
                    expected = 0xFFFFFFFFu;
                    for (int sy : rows[dy])
                        for (int sx : columns[dx])
                            expected &= positionPixel(sx, sy);
                }
                ASSERT_EQ(pixelAt(screen, x, y), expected) << c.name << " at " << x << "," << y;
            }
    }
}

TEST(BitBlt, CopiesFromASourceOffsetAndNothingFromOutsideTheSource) {
    PatternSource source(20, 20);
    Surface target;
    target.resize(10, 10, background);
    HDC dc = wholeSurfaceDC(&target);
    ASSERT_TRUE(BitBlt(dc, 1, 2, 5, 4, source.dc, 7, 3, SRCCOPY));
    ASSERT_TRUE(BitBlt(dc, 6, 6, 4, 4, source.dc, 18, 18, SRCCOPY)); // half outside the source
    releaseSurfaceDC(dc);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            uint32_t expected = background;
            if (x >= 1 && x < 6 && y >= 2 && y < 6)
                expected = positionPixel(x - 1 + 7, y - 2 + 3);
            if (x >= 6 && x < 8 && y >= 6 && y < 8)
                expected = positionPixel(x - 6 + 18, y - 6 + 18);
            EXPECT_EQ(pixelAt(target, x, y), expected) << x << "," << y;
        }
}

// Blitting within one surface reads the pixels as they were before.
TEST(BitBlt, OverlappingCopyOnOneSurface) {
    Surface screen;
    screen.resize(10, 1, 0);
    for (int x = 0; x < 10; ++x)
        screen.pixels[x] = static_cast<uint32_t>(x);
    HDC dc = wholeSurfaceDC(&screen);
    ASSERT_TRUE(BitBlt(dc, 2, 0, 6, 1, dc, 0, 0, SRCCOPY));
    releaseSurfaceDC(dc);
    const std::vector<uint32_t> expected = {0, 1, 0, 1, 2, 3, 4, 5, 8, 9};
    EXPECT_EQ(screen.pixels, expected);
}

// Refused calls change nothing. A face whose bitmap failed to load reads as 0 x 0 through
// GetObjectA and its stretch draws nothing.
TEST(Blits, RefusedCallsDrawNothing) {
    PatternSource source(4, 4);
    Surface target;
    target.resize(4, 4, background);
    HDC dc = wholeSurfaceDC(&target);
    HDC unknown = reinterpret_cast<HDC>(&target);
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 4, 4, source.dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 4, unknown, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 4, source.dc, 0, 0, 0x00EE0086)); // SRCPAINT
    EXPECT_FALSE(StretchBlt(dc, 0, 0, -4, 4, source.dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_FALSE(StretchBlt(dc, 0, 0, 4, 4, source.dc, 0, 0, 4, -4, SRCCOPY));

    BITMAP description;
    memset(&description, 0x5A, sizeof description);
    EXPECT_EQ(GetObjectA(nullptr, sizeof description, &description), 0);
    HDC memory = CreateCompatibleDC(dc);
    EXPECT_EQ(SelectObject(memory, nullptr), nullptr);
    EXPECT_FALSE(StretchBlt(dc, 0, 0, 4, 4, memory, 0, 0, description.bmWidth, description.bmHeight,
                            SRCCOPY));
    DeleteDC(memory);
    releaseSurfaceDC(dc);
    for (uint32_t pixel : target.pixels)
        EXPECT_EQ(pixel, background);
}

TEST(Primitives, LogicalCoordinatesClippedAndColourRefOrder) {
    Surface screen;
    screen.resize(20, 20, 0);
    HDC dc = createSurfaceDC(&screen, POINT{5, 5}, RECT{5, 5, 15, 15});
    fillSolidRect(dc, RECT{-2, -2, 3, 3}, RGB(0x11, 0x22, 0x33));
    drawHorizontalLine(dc, 0, 4, 9, RGB(255, 0, 0));
    drawVerticalLine(dc, 9, 0, 30, RGB(0, 0, 255));
    releaseSurfaceDC(dc);
    EXPECT_EQ(pixelAt(screen, 5, 5), 0x112233u);
    EXPECT_EQ(pixelAt(screen, 7, 7), 0x112233u);
    EXPECT_EQ(pixelAt(screen, 8, 8), 0u);
    EXPECT_EQ(pixelAt(screen, 4, 4), 0u);
    EXPECT_EQ(pixelAt(screen, 5, 14), 0xFF0000u);
    EXPECT_EQ(pixelAt(screen, 8, 14), 0xFF0000u);
    EXPECT_EQ(pixelAt(screen, 9, 14), 0u); // the end point is left out
    EXPECT_EQ(pixelAt(screen, 14, 5), 0x0000FFu);
    EXPECT_EQ(pixelAt(screen, 14, 15), 0u);
}

TEST(Primitives, DottedFrameDrawsEveryOtherOutlinePixel) {
    Surface screen;
    screen.resize(10, 10, 0);
    HDC dc = wholeSurfaceDC(&screen);
    invertDottedFrame(dc, RECT{1, 1, 8, 6});
    releaseSurfaceDC(dc);
    EXPECT_EQ(pixelAt(screen, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(pixelAt(screen, 2, 1), 0u);
    EXPECT_EQ(pixelAt(screen, 1, 3), 0xFFFFFFu);
    EXPECT_EQ(pixelAt(screen, 4, 3), 0u);
    int drawn = 0;
    for (uint32_t pixel : screen.pixels)
        drawn += pixel != 0;
    EXPECT_EQ(drawn, 10); // half of the 20 outline pixels
}

} // namespace
