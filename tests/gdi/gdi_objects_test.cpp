#include <string.h>

#include <gtest/gtest.h>

#include "tests/gdi/gdi_test_support.h"

namespace {

// Counts taken at the start of a test, so each test checks only what it made.
struct LiveCounts {
    int objects = liveGdiObjects();
    int dcs = liveDeviceContexts();
    void expectUnchanged() const {
        EXPECT_EQ(liveGdiObjects(), objects);
        EXPECT_EQ(liveDeviceContexts(), dcs);
    }
};

HBITMAP solidBitmap(int width, int height, uint32_t pixel) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, pixel);
    return createBitmapFromPixels(width, height, pixels.data());
}

LOGFONTA timesFont(LONG height) {
    LOGFONTA font;
    memset(&font, 0, sizeof font);
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    strcpy(font.lfFaceName, "Times New Roman");
    return font;
}

TEST(MemoryDC, StartsWithAOneByOneBitmapAndSwapsSelections) {
    LiveCounts counts;
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(liveDeviceContexts(), counts.dcs + 1);
    EXPECT_EQ(liveGdiObjects(), counts.objects); // the default bitmap is not counted

    HBITMAP first = solidBitmap(3, 2, 0xFF0000);
    HBITMAP second = solidBitmap(5, 5, 0x00FF00);
    HGDIOBJ original = SelectObject(dc, first);
    ASSERT_NE(original, nullptr);
    BITMAP description;
    ASSERT_EQ(GetObjectA(original, sizeof description, &description),
              static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(description.bmWidth, 1);
    EXPECT_EQ(description.bmHeight, 1);

    EXPECT_EQ(SelectObject(dc, second), static_cast<HGDIOBJ>(first));
    EXPECT_EQ(SelectObject(dc, original), static_cast<HGDIOBJ>(second));

    // The selected bitmap is what a blit reads.
    SelectObject(dc, second);
    Surface target;
    target.resize(2, 2, 0);
    HDC window = wholeSurfaceDC(&target);
    ASSERT_TRUE(BitBlt(window, 0, 0, 2, 2, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(pixelAt(target, 1, 1), 0x00FF00u);
    releaseSurfaceDC(window);

    // DeleteDC frees the context, not the bitmap selected into it.
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_NE(bitmapSurface(second), nullptr);
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_TRUE(DeleteObject(second));
    counts.expectUnchanged();
}

TEST(MemoryDC, ABitmapIsSelectedIntoOneContextAtATime) {
    LiveCounts counts;
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(a);
    HBITMAP bitmap = solidBitmap(2, 2, 0);
    HGDIOBJ original = SelectObject(a, bitmap);
    EXPECT_NE(original, nullptr);
    EXPECT_EQ(SelectObject(b, bitmap), nullptr);
    SelectObject(a, original);
    EXPECT_NE(SelectObject(b, bitmap), nullptr);
    DeleteDC(a);
    DeleteDC(b);
    DeleteObject(bitmap);
    counts.expectUnchanged();
}

TEST(MemoryDC, WindowContextsTakeNoBitmap) {
    Surface surface;
    surface.resize(4, 4, 0);
    HDC window = wholeSurfaceDC(&surface);
    HBITMAP bitmap = solidBitmap(2, 2, 0);
    EXPECT_EQ(SelectObject(window, bitmap), nullptr);
    releaseSurfaceDC(window);
    DeleteObject(bitmap);
}

TEST(GetObjectA, DescribesABitmap) {
    HBITMAP bitmap = solidBitmap(12, 48, 0);
    BITMAP description;
    memset(&description, 0x5A, sizeof description);
    ASSERT_EQ(GetObjectA(bitmap, sizeof description, &description),
              static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(description.bmType, 0);
    EXPECT_EQ(description.bmWidth, 12);
    EXPECT_EQ(description.bmHeight, 48);
    EXPECT_EQ(description.bmWidthBytes, 48);
    EXPECT_EQ(description.bmPlanes, 1);
    EXPECT_EQ(description.bmBitsPixel, 32);
    EXPECT_EQ(description.bmBits, nullptr);
    EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(GetObjectA(bitmap, sizeof(BITMAP) - 1, &description), 0);
    DeleteObject(bitmap);
}

TEST(GetObjectA, GivesAFontItsLogicalDescription) {
    LOGFONTA made = timesFont(50);
    made.lfItalic = 5;
    HFONT font = CreateFontIndirectA(&made);
    ASSERT_NE(font, nullptr);
    LOGFONTA read;
    memset(&read, 0, sizeof read);
    ASSERT_EQ(GetObjectA(font, sizeof read, &read), static_cast<int>(sizeof(LOGFONTA)));
    EXPECT_EQ(memcmp(&made, &read, sizeof read), 0);
    DeleteObject(font);
}

// Create, select, draw, deselect, delete in the order a paint does: nothing is left.
TEST(LiveCounts, BackToZeroAfterPaintCycles) {
    LiveCounts counts;
    Surface surface;
    surface.resize(64, 64, 0);
    HBITMAP face = solidBitmap(12, 48, 0xABCDEF);
    for (int paint = 0; paint < 5; ++paint) {
        HDC window = wholeSurfaceDC(&surface);
        for (int stick = 0; stick < 17; ++stick) {
            BITMAP description;
            GetObjectA(face, sizeof description, &description);
            HDC memory = CreateCompatibleDC(window);
            SelectObject(memory, face);
            StretchBlt(window, 0, 0, 24, 54, memory, 0, 0, description.bmWidth,
                       description.bmHeight, SRCCOPY);
            DeleteDC(memory); // without reselecting, as the board's paint does
        }
        LOGFONTA description = timesFont(20);
        HFONT font = CreateFontIndirectA(&description);
        SelectObject(window, font);
        RECT rect{0, 0, 64, 64};
        DrawTextA(window, "Hola", -1, &rect, 0);
        releaseSurfaceDC(window); // the paint ends with the font still selected
        DeleteObject(font);
        EXPECT_EQ(liveGdiObjects(), counts.objects + 1) << "paint " << paint;
        EXPECT_EQ(liveDeviceContexts(), counts.dcs) << "paint " << paint;
    }
    DeleteObject(face);
    counts.expectUnchanged();
}

// As on Windows: deleting a selected object succeeds, but it lives until deselected.
TEST(DeleteObject, SelectedObjectsGoWhenDeselected) {
    LiveCounts counts;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = solidBitmap(2, 2, 0x010203);
    HGDIOBJ original = SelectObject(dc, bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(liveGdiObjects(), counts.objects + 1);
    EXPECT_EQ(SelectObject(dc, original), static_cast<HGDIOBJ>(bitmap));
    EXPECT_EQ(liveGdiObjects(), counts.objects);
    EXPECT_EQ(bitmapSurface(bitmap), nullptr);

    LOGFONTA description = timesFont(12);
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ originalFont = SelectObject(dc, font);
    EXPECT_EQ(originalFont, static_cast<HGDIOBJ>(guiFont()));
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(selectedFont(dc), font); // still usable by the DC
    EXPECT_EQ(liveGdiObjects(), counts.objects + 1);
    DeleteDC(dc);
    counts.expectUnchanged();
}

TEST(DeleteObject, StockObjectsStay) {
    LiveCounts counts;
    EXPECT_TRUE(DeleteObject(guiFont()));
    FontMetrics metrics;
    EXPECT_TRUE(getFontMetrics(guiFont(), &metrics));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ stock = SelectObject(dc, guiFont());
    EXPECT_EQ(stock, static_cast<HGDIOBJ>(guiFont()));
    DeleteDC(dc);
    counts.expectUnchanged();
}

// Null, unknown and deleted handles: every call gives its failure value and touches nothing.
TEST(Handles, InvalidOnesFailQuietly) {
    LiveCounts counts;
    int local = 0;
    HDC unknownDC = reinterpret_cast<HDC>(&local);
    HGDIOBJ unknownObject = &local;

    HBITMAP deletedBitmap = solidBitmap(1, 1, 0);
    DeleteObject(deletedBitmap);
    HDC deletedDC = CreateCompatibleDC(nullptr);
    DeleteDC(deletedDC);
    LOGFONTA description = timesFont(12);
    HFONT deletedFont = CreateFontIndirectA(&description);
    DeleteObject(deletedFont);

    HGDIOBJ objects[] = {nullptr, unknownObject, deletedBitmap, deletedFont};
    HDC dcs[] = {nullptr, unknownDC, deletedDC};
    for (HGDIOBJ object : objects) {
        EXPECT_FALSE(DeleteObject(object));
        BITMAP out;
        memset(&out, 0x5A, sizeof out);
        EXPECT_EQ(GetObjectA(object, sizeof out, &out), 0);
        EXPECT_EQ(out.bmWidth, 0);
        EXPECT_EQ(out.bmHeight, 0);
        EXPECT_EQ(bitmapSurface(static_cast<HBITMAP>(object)), nullptr);
        FontMetrics metrics;
        EXPECT_FALSE(getFontMetrics(static_cast<HFONT>(object), &metrics));
        EXPECT_EQ(textWidth(static_cast<HFONT>(object), "abc", 3), 0);
        SIZE units = dialogBaseUnits(static_cast<HFONT>(object));
        EXPECT_EQ(units.cx, 0);
        EXPECT_EQ(units.cy, 0);
    }
    for (HDC dc : dcs) {
        if (dc) {
            EXPECT_EQ(CreateCompatibleDC(dc), nullptr);
        }
        EXPECT_FALSE(DeleteDC(dc));
        EXPECT_EQ(SelectObject(dc, guiFont()), nullptr);
        EXPECT_EQ(SetTextColor(dc, 0), 0xFFFFFFFFu);
        EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 0);
        EXPECT_EQ(selectedFont(dc), nullptr);
        RECT rect{0, 0, 10, 10};
        EXPECT_EQ(DrawTextA(dc, "abc", -1, &rect, 0), 0);
        EXPECT_EQ(drawTextAt(dc, 0, 0, "abc", 3), 0);
        fillSolidRect(dc, rect, 0);
        drawDottedFrame(dc, rect, 0);
        drawHorizontalLine(dc, 0, 5, 0, 0);
        drawVerticalLine(dc, 0, 0, 5, 0);
        releaseSurfaceDC(dc);
    }
    HDC dc = CreateCompatibleDC(nullptr);
    for (HGDIOBJ object : objects)
        EXPECT_EQ(SelectObject(dc, object), nullptr);
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    DeleteDC(dc);
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
    EXPECT_EQ(createSurfaceDC(nullptr, POINT{0, 0}, RECT{0, 0, 1, 1}), nullptr);
    EXPECT_EQ(createBitmapFromPixels(0, 5, nullptr), nullptr);
    EXPECT_EQ(createBitmapFromPixels(5, -1, nullptr), nullptr);
    counts.expectUnchanged();
}

TEST(Bitmaps, CopyTheirPixels) {
    std::vector<uint32_t> pixels = positionPattern(3, 2);
    HBITMAP bitmap = createBitmapFromPixels(3, 2, pixels.data());
    pixels[0] = 0xFFFFFF;
    const Surface *surface = bitmapSurface(bitmap);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->width, 3);
    EXPECT_EQ(surface->height, 2);
    EXPECT_EQ(pixelAt(*surface, 0, 0), positionPixel(0, 0));
    EXPECT_EQ(pixelAt(*surface, 2, 1), positionPixel(2, 1));
    DeleteObject(bitmap);
}

TEST(TextAttributes, ReturnThePreviousValues) {
    Surface surface;
    surface.resize(2, 2, 0);
    HDC dc = wholeSurfaceDC(&surface);
    EXPECT_EQ(selectedFont(dc), guiFont());
    EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), 0u); // black by default
    EXPECT_EQ(SetTextColor(dc, 0), RGB(1, 2, 3));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE); // opaque by default
    EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
    releaseSurfaceDC(dc);
}

} // namespace
