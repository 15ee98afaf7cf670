#include <algorithm>
#include <string.h>

#include <gtest/gtest.h>

#include "tests/gdi/gdi_test_support.h"

namespace {

const uint32_t paper = 0x123456;

HFONT makeFont(LONG height, LONG weight = FW_NORMAL, const char *face = "Times New Roman") {
    LOGFONTA font;
    memset(&font, 0, sizeof font);
    font.lfHeight = height;
    font.lfWeight = weight;
    strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&font);
}

// A surface with a DC set up as the message dialog's paint sets it: a font, transparent.
struct Page {
    explicit Page(HFONT pageFont, POINT origin = {0, 0}, RECT clip = {0, 0, 300, 200})
        : font(pageFont) {
        surface.resize(300, 200, paper);
        dc = createSurfaceDC(&surface, origin, clip);
        SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        FontMetrics metrics{};
        getFontMetrics(font, &metrics);
        lineHeight = metrics.height;
    }
    ~Page() {
        releaseSurfaceDC(dc);
        DeleteObject(font);
    }
    int draw(const char *text, RECT rect, UINT format = 0, int length = -1) {
        return DrawTextA(dc, text, length, &rect, format);
    }
    // The bounding box of every pixel that is not the paper.
    RECT ink() const {
        RECT box{surface.width, surface.height, 0, 0};
        for (int y = 0; y < surface.height; ++y)
            for (int x = 0; x < surface.width; ++x)
                if (pixelAt(surface, x, y) != paper) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }
    bool blank() const {
        return std::all_of(surface.pixels.begin(), surface.pixels.end(),
                           [](uint32_t pixel) { return pixel == paper; });
    }
    HFONT font;
    Surface surface;
    HDC dc;
    int lineHeight = 0;
};

// Lines from the top left, a cell height apart; "\r\n", "\n" and "\r" each end a line.
TEST(DrawTextA, ALinePerLineBreak) {
    Page lines(makeFont(20));
    drawTextAt(lines.dc, 10, 20, "Hola", 4);
    drawTextAt(lines.dc, 10, 20 + lines.lineHeight, "que", 3);
    drawTextAt(lines.dc, 10, 20 + 2 * lines.lineHeight, "tal", 3);
    for (const char *text : {"Hola\nque\ntal", "Hola\r\nque\r\ntal", "Hola\rque\rtal\n"}) {
        Page page(makeFont(20));
        EXPECT_EQ(page.draw(text, RECT{10, 20, 290, 190}), 3 * page.lineHeight);
        EXPECT_EQ(page.surface.pixels, lines.surface.pixels) << text;
    }
    Page counted(makeFont(20));
    EXPECT_EQ(counted.draw("uno\n\ndos", RECT{0, 0, 300, 200}, 0, 5), 2 * counted.lineHeight);
}

// Never wrapped: a long line is cut at the right edge, lines below the bottom are cut.
TEST(DrawTextA, ClippedToTheRectangle) {
    Page wide(makeFont(20));
    EXPECT_EQ(wide.draw("Una linea mucho mas ancha que el rectangulo", RECT{10, 10, 60, 100}),
              wide.lineHeight);
    EXPECT_LE(wide.ink().right, 60);
    EXPECT_GE(wide.ink().right, 55);
    EXPECT_LE(wide.ink().bottom, 10 + wide.lineHeight);

    Page tall(makeFont(20));
    const RECT rect{10, 10, 290, 10 + tall.lineHeight * 3 / 2};
    EXPECT_EQ(tall.draw("Hg\nHg\nHg\nHg", rect), 4 * tall.lineHeight);
    EXPECT_EQ(tall.ink().bottom, rect.bottom); // the second line shows its upper half
}

TEST(DrawTextA, NothingForAnEmptyRectangleOrText) {
    const RECT rects[] = {{10, 10, 10, 50}, {10, 10, 50, 10}, {50, 50, 10, 10}};
    for (const RECT &rect : rects) {
        Page page(makeFont(20));
        page.draw("Hola", rect);
        EXPECT_TRUE(page.blank());
    }
    Page page(makeFont(20));
    EXPECT_EQ(page.draw("", RECT{0, 0, 100, 100}), 0);
    EXPECT_EQ(page.draw("Hola", RECT{0, 0, 100, 100}, 0, 0), 0);
    EXPECT_EQ(DrawTextA(page.dc, "Hola", -1, nullptr, 0), 0);
    EXPECT_TRUE(page.blank());
}

// Fully covered pixels of a large bold glyph have exactly the text colour (COLORREF order).
TEST(DrawTextA, TextColour) {
    for (COLORREF colour : {COLORREF(0x00F078F0), RGB(200, 30, 90), RGB(0, 0, 0)}) {
        Page page(makeFont(50, FW_BOLD));
        SetTextColor(page.dc, colour);
        page.draw("I", RECT{0, 0, 300, 200});
        const uint32_t expected =
            (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        EXPECT_GT(std::count(page.surface.pixels.begin(), page.surface.pixels.end(), expected), 50)
            << std::hex << colour;
    }
}

// Transparent: only glyph pixels change. Opaque (the default): the text's cell is filled.
TEST(DrawTextA, BackgroundModes) {
    Page transparent(makeFont(20));
    transparent.draw("i i", RECT{0, 0, 300, 200});
    const RECT ink = transparent.ink();
    EXPECT_EQ(pixelAt(transparent.surface, (ink.left + ink.right) / 2, ink.top), paper);

    Page opaque(makeFont(20));
    SetBkMode(opaque.dc, OPAQUE);
    const int width = textWidth(opaque.font, "i i", 3);
    opaque.draw("i i", RECT{0, 0, 300, 200});
    EXPECT_EQ(opaque.ink().right, width);
    EXPECT_EQ(opaque.ink().bottom, opaque.lineHeight);
    EXPECT_EQ(pixelAt(opaque.surface, 0, 0), 0xFFFFFFu);
}

// Windows-1252 bytes draw their own letters: not the plain letter, a question mark or the
// missing-glyph box.
TEST(DrawTextA, Windows1252Letters) {
    const char *pairs[][2] = {{"\xBF", "?"}, {"\xED", "i"}, {"\xE9", "e"}, {"\xFA", "u"}};
    Page missing(makeFont(30));
    missing.draw("\x81", RECT{0, 0, 100, 100}); // unassigned in Windows-1252
    for (const auto &pair : pairs) {
        Page accented(makeFont(30)), plain(makeFont(30));
        accented.draw(pair[0], RECT{0, 0, 100, 100});
        plain.draw(pair[1], RECT{0, 0, 100, 100});
        EXPECT_FALSE(accented.blank());
        EXPECT_NE(accented.surface.pixels, plain.surface.pixels) << pair[1];
        EXPECT_NE(accented.surface.pixels, missing.surface.pixels) << pair[1];
    }
}

// In a window DC the rectangle is in client coordinates and output stays in the window.
TEST(DrawTextA, WindowDCOriginAndClip) {
    Page direct(makeFont(20));
    direct.draw("Hola", RECT{30, 40, 290, 190});
    Page window(makeFont(20), POINT{20, 30}, RECT{20, 30, 300, 200});
    window.draw("Hola", RECT{10, 10, 270, 160});
    EXPECT_EQ(direct.surface.pixels, window.surface.pixels);

    Page clipped(makeFont(20), POINT{0, 0}, RECT{0, 0, 20, 12});
    clipped.draw("Hola", RECT{0, 0, 300, 200});
    EXPECT_LE(clipped.ink().right, 20);
    EXPECT_LE(clipped.ink().bottom, 12);
}

// What button captions may use: measuring, and one line centred both ways.
TEST(DrawTextA, CalcRectAndCentredSingleLine) {
    Page page(makeFont(-11, FW_NORMAL, "MS Sans Serif"));
    RECT rect{5, 7, 6, 8};
    EXPECT_EQ(DrawTextA(page.dc, "uno\ndos mas", -1, &rect, DT_CALCRECT), 2 * page.lineHeight);
    EXPECT_EQ(rect.right, 5 + textWidth(page.font, "dos mas", -1));
    EXPECT_EQ(rect.bottom, 7 + 2 * page.lineHeight);
    EXPECT_TRUE(page.blank());

    page.draw("Salir", RECT{40, 40, 140, 80}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const RECT ink = page.ink();
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 90, 2.0);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 60, 3.0);
}

} // namespace
