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

HFONT timesFont(LONG height) {
    LOGFONTA font;
    memset(&font, 0, sizeof font);
    font.lfHeight = height;
    strcpy(font.lfFaceName, "Times New Roman");
    return CreateFontIndirectA(&font);
}

TEST(MemoryDC, SelectionsSwapAndDeleteDCLeavesTheBitmap) {
    LiveCounts counts;
    HDC dc = CreateCompatibleDC(nullptr);
    HDC other = CreateCompatibleDC(dc);
    EXPECT_EQ(liveDeviceContexts(), counts.dcs + 2);
    EXPECT_EQ(liveGdiObjects(), counts.objects); // the default bitmap is not counted

    HBITMAP first = solidBitmap(3, 2, 0xFF0000);
    HBITMAP second = solidBitmap(5, 5, 0x00FF00);
    HGDIOBJ original = SelectObject(dc, first);
    BITMAP description;
    ASSERT_EQ(GetObjectA(original, sizeof description, &description), int(sizeof(BITMAP)));
    EXPECT_EQ(description.bmWidth, 1);
    EXPECT_EQ(description.bmHeight, 1);
    EXPECT_EQ(SelectObject(dc, second), static_cast<HGDIOBJ>(first));
    EXPECT_EQ(SelectObject(other, second), nullptr); // one context at a time
    EXPECT_NE(SelectObject(other, first), nullptr);

    Surface target;
    target.resize(2, 2, 0);
    HDC window = wholeSurfaceDC(&target);
    EXPECT_EQ(SelectObject(window, first), nullptr); // window contexts take no bitmap
    ASSERT_TRUE(BitBlt(window, 0, 0, 2, 2, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(pixelAt(target, 1, 1), 0x00FF00u);
    releaseSurfaceDC(window);

    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_NE(bitmapSurface(first), nullptr);
    EXPECT_NE(bitmapSurface(second), nullptr);
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_TRUE(DeleteObject(second));
    counts.expectUnchanged();
}

TEST(GetObjectA, DescribesBitmapsAndFonts) {
    HBITMAP bitmap = solidBitmap(12, 48, 0);
    BITMAP description;
    memset(&description, 0x5A, sizeof description);
    ASSERT_EQ(GetObjectA(bitmap, sizeof description, &description), int(sizeof(BITMAP)));
    EXPECT_EQ(description.bmType, 0);
    EXPECT_EQ(description.bmWidth, 12);
    EXPECT_EQ(description.bmHeight, 48);
    EXPECT_EQ(description.bmWidthBytes, 48);
    EXPECT_EQ(description.bmPlanes, 1);
    EXPECT_EQ(description.bmBitsPixel, 32);
    EXPECT_EQ(description.bmBits, nullptr);
    EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), int(sizeof(BITMAP)));
    EXPECT_EQ(GetObjectA(bitmap, sizeof(BITMAP) - 1, &description), 0);
    DeleteObject(bitmap);

    LOGFONTA made;
    memset(&made, 0, sizeof made);
    made.lfHeight = 50;
    made.lfWeight = 200;
    made.lfItalic = 5;
    strcpy(made.lfFaceName, "Times New Roman");
    HFONT font = CreateFontIndirectA(&made);
    LOGFONTA read;
    ASSERT_EQ(GetObjectA(font, sizeof read, &read), int(sizeof(LOGFONTA)));
    EXPECT_EQ(memcmp(&made, &read, sizeof read), 0);
    DeleteObject(font);
}

// Create, select, draw and delete in the order the board's and the message's paints do,
// which delete memory DCs and end the paint without reselecting: nothing is left.
TEST(LiveCounts, BackToZeroAfterPaintCycles) {
    LiveCounts counts;
    Surface surface;
    surface.resize(64, 64, 0);
    HBITMAP face = solidBitmap(12, 48, 0xABCDEF);
    for (int paint = 0; paint < 3; ++paint) {
        HDC window = wholeSurfaceDC(&surface);
        for (int stick = 0; stick < 17; ++stick) {
            HDC memory = CreateCompatibleDC(window);
            SelectObject(memory, face);
            StretchBlt(window, 0, 0, 24, 54, memory, 0, 0, 12, 48, SRCCOPY);
            DeleteDC(memory);
        }
        HFONT font = timesFont(20);
        SelectObject(window, font);
        SetTextColor(window, 0x00F078F0);
        SetBkMode(window, TRANSPARENT);
        RECT rect{0, 0, 64, 64};
        DrawTextA(window, "Hola", -1, &rect, 0);
        releaseSurfaceDC(window);
        DeleteObject(font);
        EXPECT_EQ(liveGdiObjects(), counts.objects + 1) << "paint " << paint;
        EXPECT_EQ(liveDeviceContexts(), counts.dcs) << "paint " << paint;
    }
    DeleteObject(face);
    counts.expectUnchanged();
}

// As on Windows: deleting a selected object succeeds, and the object lives on until it is
// deselected. Stock objects are never deleted.
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

    HFONT font = timesFont(12);
    EXPECT_EQ(SelectObject(dc, font), static_cast<HGDIOBJ>(guiFont())); // the default font
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(selectedFont(dc), font);
    EXPECT_EQ(liveGdiObjects(), counts.objects + 1);
    DeleteDC(dc);

    EXPECT_TRUE(DeleteObject(guiFont()));
    FontMetrics metrics;
    EXPECT_TRUE(getFontMetrics(guiFont(), &metrics));
    counts.expectUnchanged();
}

// Null, unknown and deleted handles: every call gives its failure value and touches nothing,
// even after the deleted objects' memory has been reused.
TEST(Handles, InvalidOnesFailQuietly) {
    LiveCounts counts;
    int local = 0;
    HBITMAP deletedBitmap = solidBitmap(1, 1, 0);
    DeleteObject(deletedBitmap);
    HDC deletedDC = CreateCompatibleDC(nullptr);
    DeleteDC(deletedDC);
    HFONT deletedFont = timesFont(12);
    DeleteObject(deletedFont);
    HBITMAP reuse = solidBitmap(1, 1, 0);
    HDC reuseDC = CreateCompatibleDC(nullptr);

    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(nullptr), static_cast<HGDIOBJ>(&local),
          static_cast<HGDIOBJ>(deletedBitmap), static_cast<HGDIOBJ>(deletedFont)}) {
        EXPECT_FALSE(DeleteObject(object));
        BITMAP out;
        memset(&out, 0x5A, sizeof out);
        EXPECT_EQ(GetObjectA(object, sizeof out, &out), 0);
        EXPECT_EQ(out.bmWidth, 0); // left empty
        EXPECT_EQ(bitmapSurface(static_cast<HBITMAP>(object)), nullptr);
        FontMetrics metrics;
        EXPECT_FALSE(getFontMetrics(static_cast<HFONT>(object), &metrics));
        EXPECT_EQ(textWidth(static_cast<HFONT>(object), "abc", 3), 0);
        EXPECT_EQ(dialogBaseUnits(static_cast<HFONT>(object)).cx, 0);
        EXPECT_EQ(SelectObject(reuseDC, object), nullptr);
    }
    for (HDC dc : {static_cast<HDC>(nullptr), reinterpret_cast<HDC>(&local), deletedDC}) {
        if (dc) {
            EXPECT_EQ(CreateCompatibleDC(dc), nullptr);
        }
        EXPECT_FALSE(DeleteDC(dc));
        EXPECT_EQ(SelectObject(dc, guiFont()), nullptr);
        EXPECT_EQ(SetTextColor(dc, 0), 0xFFFFFFFFu); // CLR_INVALID
        EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 0);
        EXPECT_EQ(selectedFont(dc), nullptr);
        RECT rect{0, 0, 10, 10};
        EXPECT_EQ(DrawTextA(dc, "abc", -1, &rect, 0), 0);
        EXPECT_EQ(drawTextAt(dc, 0, 0, "abc", 3), 0);
        fillSolidRect(dc, rect, 0);
        invertDottedFrame(dc, rect);
        releaseSurfaceDC(dc);
    }
    EXPECT_EQ(SetBkMode(reuseDC, 7), 0);
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
    EXPECT_EQ(createSurfaceDC(nullptr, POINT{0, 0}, RECT{0, 0, 1, 1}), nullptr);
    EXPECT_EQ(createBitmapFromPixels(0, 5, nullptr), nullptr);
    DeleteDC(reuseDC);
    DeleteObject(reuse);
    counts.expectUnchanged();
}

TEST(TextAttributes, DefaultsAndPreviousValues) {
    Surface surface;
    surface.resize(2, 2, 0);
    HDC dc = wholeSurfaceDC(&surface);
    EXPECT_EQ(selectedFont(dc), guiFont());
    EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), 0u); // black
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE); // opaque
    EXPECT_EQ(SetTextColor(dc, 0), RGB(1, 2, 3));
    EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
    releaseSurfaceDC(dc);
}

} // namespace
