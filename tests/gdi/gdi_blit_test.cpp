#include <ctype.h>
#include <string.h>
#include <string>

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
        previous = SelectObject(dc, bitmap);
    }
    ~PatternSource() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HBITMAP bitmap;
    HDC dc;
    HGDIOBJ previous;
};

struct StretchCase {
    const char *name;
    int sourceWidth, sourceHeight;
    int width, height;
};

class StretchExactness : public ::testing::TestWithParam<StretchCase> {};

// Every destination pixel comes from source (dx * sw / w, dy * sh / h), and only the
// destination rectangle changes.
TEST_P(StretchExactness, EveryPixelFromTheNearestSourcePixel) {
    const StretchCase &c = GetParam();
    PatternSource source(c.sourceWidth, c.sourceHeight);
    Surface target;
    target.resize(c.width + 10, c.height + 10, background);
    HDC dc = wholeSurfaceDC(&target);
    ASSERT_TRUE(StretchBlt(dc, 3, 4, c.width, c.height, source.dc, 0, 0, c.sourceWidth,
                           c.sourceHeight, SRCCOPY));
    for (int y = 0; y < target.height; ++y) {
        for (int x = 0; x < target.width; ++x) {
            const int dx = x - 3, dy = y - 4;
            uint32_t expected = background;
            if (dx >= 0 && dx < c.width && dy >= 0 && dy < c.height)
                expected =
                    positionPixel(dx * c.sourceWidth / c.width, dy * c.sourceHeight / c.height);
            ASSERT_EQ(pixelAt(target, x, y), expected) << c.name << " at " << x << "," << y;
        }
    }
    releaseSurfaceDC(dc);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, StretchExactness,
    ::testing::Values(StretchCase{"one to one", 12, 48, 12, 48},
                      StretchCase{"four times", 12, 48, 48, 192},
                      StretchCase{"stick face into a stick button", 12, 48, 24, 54},
                      StretchCase{"stick face into a wider button", 12, 48, 27, 58},
                      StretchCase{"square frame squeezed into a stick button", 48, 48, 24, 54},
                      StretchCase{"lever into the lever button", 48, 48, 45, 41},
                      StretchCase{"about picture into its rectangle", 320, 240, 133, 100},
                      StretchCase{"single pixel spread", 1, 1, 7, 5}),
    [](const ::testing::TestParamInfo<StretchCase> &info) {
        std::string name = info.param.name;
        for (char &ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

// A 12 x 48 face at 2x: each source pixel becomes a 2 x 2 block, every column of the source
// shows, none twice more than its share.
TEST(StretchBlt, IntegerScaleRepeatsEachPixelEvenly) {
    PatternSource source(12, 48);
    Surface target;
    target.resize(24, 96, background);
    HDC dc = wholeSurfaceDC(&target);
    ASSERT_TRUE(StretchBlt(dc, 0, 0, 24, 96, source.dc, 0, 0, 12, 48, SRCCOPY));
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(pixelAt(target, x, y), positionPixel(x / 2, y / 2));
    releaseSurfaceDC(dc);
}

TEST(BitBlt, CopiesOneToOneFromASourceOffset) {
    PatternSource source(20, 20);
    Surface target;
    target.resize(10, 10, background);
    HDC dc = wholeSurfaceDC(&target);
    ASSERT_TRUE(BitBlt(dc, 1, 2, 5, 4, source.dc, 7, 3, SRCCOPY));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 1 && x < 6 && y >= 2 && y < 6;
            EXPECT_EQ(pixelAt(target, x, y),
                      inside ? positionPixel(x - 1 + 7, y - 2 + 3) : background);
        }
    releaseSurfaceDC(dc);
}

// A window DC: logical (0, 0) at the window's client origin, output clipped to its clip
// rectangle although the blit asks for more.
TEST(BitBlt, WindowDCOriginAndClip) {
    PatternSource source(30, 30);
    Surface screen;
    screen.resize(40, 40, background);
    const RECT clip{10, 12, 20, 18};
    HDC dc = createSurfaceDC(&screen, POINT{8, 10}, clip);
    ASSERT_TRUE(BitBlt(dc, 0, 0, 30, 30, source.dc, 0, 0, SRCCOPY));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside =
                x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            ASSERT_EQ(pixelAt(screen, x, y), inside ? positionPixel(x - 8, y - 10) : background)
                << x << "," << y;
        }
    releaseSurfaceDC(dc);
}

// Stretched output that runs off every side of the clip keeps the same source mapping inside.
TEST(StretchBlt, ClippingKeepsTheMapping) {
    PatternSource source(12, 48);
    Surface screen;
    screen.resize(30, 60, background);
    const RECT clip{5, 6, 15, 40};
    HDC dc = createSurfaceDC(&screen, POINT{0, 0}, clip);
    ASSERT_TRUE(StretchBlt(dc, -3, -2, 25, 70, source.dc, 0, 0, 12, 48, SRCCOPY));
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool inside =
                x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            const uint32_t expected =
                inside ? positionPixel((x + 3) * 12 / 25, (y + 2) * 48 / 70) : background;
            ASSERT_EQ(pixelAt(screen, x, y), expected) << x << "," << y;
        }
    releaseSurfaceDC(dc);
}

// Output never leaves the surface even when the clip rectangle is larger than it.
TEST(StretchBlt, ClippedToTheSurface) {
    PatternSource source(4, 4);
    Surface screen;
    screen.resize(6, 6, background);
    HDC dc = createSurfaceDC(&screen, POINT{-2, -2}, RECT{-100, -100, 100, 100});
    ASSERT_TRUE(StretchBlt(dc, 0, 0, 40, 40, source.dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(pixelAt(screen, 0, 0), positionPixel(0, 0));
    EXPECT_EQ(pixelAt(screen, 5, 5), positionPixel(0, 0));
    releaseSurfaceDC(dc);
}

// Source pixels outside the source bitmap leave the destination as it was.
TEST(BitBlt, SourceOutsideItsBitmapCopiesNothing) {
    PatternSource source(4, 4);
    Surface target;
    target.resize(8, 8, background);
    HDC dc = wholeSurfaceDC(&target);
    ASSERT_TRUE(BitBlt(dc, 0, 0, 8, 8, source.dc, 2, 2, SRCCOPY));
    EXPECT_EQ(pixelAt(target, 0, 0), positionPixel(2, 2));
    EXPECT_EQ(pixelAt(target, 1, 1), positionPixel(3, 3));
    EXPECT_EQ(pixelAt(target, 2, 2), background);
    EXPECT_EQ(pixelAt(target, 7, 0), background);
    releaseSurfaceDC(dc);
}

// Blitting between a window surface and itself reads the pixels as they were before.
TEST(BitBlt, OverlappingCopyOnOneSurface) {
    Surface screen;
    screen.resize(10, 1, 0);
    for (int x = 0; x < 10; ++x)
        screen.pixels[x] = static_cast<uint32_t>(x);
    HDC dc = wholeSurfaceDC(&screen);
    ASSERT_TRUE(BitBlt(dc, 2, 0, 6, 1, dc, 0, 0, SRCCOPY));
    const uint32_t expected[10] = {0, 1, 0, 1, 2, 3, 4, 5, 8, 9};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(screen.pixels[x], expected[x]);
    releaseSurfaceDC(dc);
}

TEST(Blits, RefusedArgumentsChangeNothing) {
    PatternSource source(4, 4);
    Surface target;
    target.resize(4, 4, background);
    HDC dc = wholeSurfaceDC(&target);
    HDC unknown = reinterpret_cast<HDC>(&target);
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 4, 4, source.dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 4, unknown, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 4, source.dc, 0, 0, 0x00EE0086)); // SRCPAINT
    EXPECT_FALSE(StretchBlt(dc, 0, 0, -4, 4, source.dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_FALSE(StretchBlt(dc, 0, 0, 4, 4, source.dc, 0, 0, 0, 0, SRCCOPY));
    EXPECT_FALSE(StretchBlt(dc, 0, 0, 4, 4, source.dc, 0, 0, 4, -4, SRCCOPY));
    for (uint32_t pixel : target.pixels)
        EXPECT_EQ(pixel, background);
    releaseSurfaceDC(dc);
}

// The drawing that a face whose bitmap failed to load gets: its size reads as 0 x 0 and the
// stretch draws nothing.
TEST(Blits, FailedBitmapDrawsNothing) {
    Surface target;
    target.resize(8, 8, background);
    HDC dc = wholeSurfaceDC(&target);
    BITMAP description;
    memset(&description, 0x5A, sizeof description);
    EXPECT_EQ(GetObjectA(nullptr, sizeof description, &description), 0);
    HDC memory = CreateCompatibleDC(dc);
    EXPECT_EQ(SelectObject(memory, nullptr), nullptr);
    EXPECT_FALSE(StretchBlt(dc, 0, 0, 8, 8, memory, 0, 0, description.bmWidth, description.bmHeight,
                            SRCCOPY));
    DeleteDC(memory);
    for (uint32_t pixel : target.pixels)
        EXPECT_EQ(pixel, background);
    releaseSurfaceDC(dc);
}

TEST(Primitives, FillAndLinesInLogicalCoordinatesClipped) {
    Surface screen;
    screen.resize(20, 20, 0);
    HDC dc = createSurfaceDC(&screen, POINT{5, 5}, RECT{5, 5, 15, 15});
    fillSolidRect(dc, RECT{-2, -2, 3, 3}, RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(pixelAt(screen, 5, 5), 0x112233u);
    EXPECT_EQ(pixelAt(screen, 7, 7), 0x112233u);
    EXPECT_EQ(pixelAt(screen, 8, 8), 0u);
    EXPECT_EQ(pixelAt(screen, 4, 4), 0u);
    drawHorizontalLine(dc, 0, 4, 9, RGB(255, 0, 0));
    EXPECT_EQ(pixelAt(screen, 5, 14), 0xFF0000u);
    EXPECT_EQ(pixelAt(screen, 8, 14), 0xFF0000u);
    EXPECT_EQ(pixelAt(screen, 9, 14), 0u); // the end point is not drawn
    drawVerticalLine(dc, 9, 0, 30, RGB(0, 0, 255));
    EXPECT_EQ(pixelAt(screen, 14, 5), 0x0000FFu);
    EXPECT_EQ(pixelAt(screen, 14, 14), 0x0000FFu);
    EXPECT_EQ(pixelAt(screen, 14, 15), 0u);
    releaseSurfaceDC(dc);
}

TEST(Primitives, DottedFrameAlternatesAlongTheOutline) {
    Surface screen;
    screen.resize(10, 10, 0);
    HDC dc = wholeSurfaceDC(&screen);
    drawDottedFrame(dc, RECT{1, 1, 8, 6}, RGB(0, 0, 0xFF));
    EXPECT_EQ(pixelAt(screen, 1, 1), 0xFFu);
    EXPECT_EQ(pixelAt(screen, 2, 1), 0u);
    EXPECT_EQ(pixelAt(screen, 3, 1), 0xFFu);
    EXPECT_EQ(pixelAt(screen, 1, 3), 0xFFu);
    EXPECT_EQ(pixelAt(screen, 1, 2), 0u);
    EXPECT_EQ(pixelAt(screen, 4, 3), 0u); // inside stays
    int drawn = 0;
    for (uint32_t pixel : screen.pixels)
        drawn += pixel != 0;
    EXPECT_EQ(drawn, 10); // half of the 20 outline pixels
    releaseSurfaceDC(dc);
}

} // namespace
