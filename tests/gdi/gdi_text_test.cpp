#include <algorithm>
#include <string.h>

#include <gtest/gtest.h>

#include "tests/gdi/gdi_test_support.h"

namespace {

const uint32_t paper = 0x123456;

HFONT makeFont(LONG height, LONG weight = FW_NORMAL, BYTE italic = 0,
               const char *face = "Times New Roman") {
    LOGFONTA font;
    memset(&font, 0, sizeof font);
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfItalic = italic;
    strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&font);
}

// A surface with a DC whose font, colour and mode are set as the message dialog sets them.
struct Page {
    explicit Page(HFONT pageFont, int width = 300, int height = 200) : font(pageFont) {
        surface.resize(width, height, paper);
        dc = wholeSurfaceDC(&surface);
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
        for (uint32_t pixel : surface.pixels)
            if (pixel != paper)
                return false;
        return true;
    }
    HFONT font;
    Surface surface;
    HDC dc;
    int lineHeight = 0;
};

TEST(DrawTextA, ALinePerNewlineFromTheTopLeft) {
    Page page(makeFont(20));
    const int height = page.draw("Hola\nque\ntal", RECT{10, 20, 290, 190});
    EXPECT_EQ(height, 3 * page.lineHeight);
    const RECT ink = page.ink();
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 13);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.bottom, 20 + 3 * page.lineHeight);
    EXPECT_GT(ink.bottom, 20 + 2 * page.lineHeight);

    // The same as the three lines drawn one by one a cell height apart.
    Page lines(makeFont(20));
    drawTextAt(lines.dc, 10, 20, "Hola", 4);
    drawTextAt(lines.dc, 10, 20 + lines.lineHeight, "que", 3);
    drawTextAt(lines.dc, 10, 20 + 2 * lines.lineHeight, "tal", 3);
    EXPECT_EQ(page.surface.pixels, lines.surface.pixels);
}

TEST(DrawTextA, CarriageReturnsBreakLinesOnce) {
    Page lf(makeFont(20)), crlf(makeFont(20)), cr(makeFont(20));
    const RECT rect{0, 0, 300, 200};
    EXPECT_EQ(lf.draw("uno\ndos", rect), 2 * lf.lineHeight);
    EXPECT_EQ(crlf.draw("uno\r\ndos", rect), 2 * crlf.lineHeight);
    EXPECT_EQ(cr.draw("uno\rdos", rect), 2 * cr.lineHeight);
    EXPECT_EQ(lf.surface.pixels, crlf.surface.pixels);
    EXPECT_EQ(lf.surface.pixels, cr.surface.pixels);
    Page blankLine(makeFont(20));
    EXPECT_EQ(blankLine.draw("uno\n\ndos\n", rect), 3 * blankLine.lineHeight);
}

TEST(DrawTextA, NoWrappingAndClippedAtTheRightEdge) {
    Page page(makeFont(20));
    const RECT rect{10, 10, 60, 100};
    const int height = page.draw("Una linea mucho mas ancha que el rectangulo", rect);
    EXPECT_EQ(height, page.lineHeight);
    const RECT ink = page.ink();
    EXPECT_LE(ink.right, 60);
    EXPECT_GE(ink.right, 55);
    EXPECT_LE(ink.bottom, 10 + page.lineHeight);
}

TEST(DrawTextA, LinesBelowTheBottomAreCut) {
    Page page(makeFont(20));
    const RECT rect{10, 10, 290, 10 + page.lineHeight * 3 / 2};
    EXPECT_EQ(page.draw("Hg\nHg\nHg\nHg", rect), 4 * page.lineHeight);
    const RECT ink = page.ink();
    EXPECT_EQ(ink.bottom, rect.bottom); // the second line shows its upper half
}

TEST(DrawTextA, EmptyOrInvertedRectangleDrawsNothing) {
    const RECT rects[] = {{10, 10, 10, 50}, {10, 10, 50, 10}, {50, 50, 10, 10}, {0, 0, -5, 100}};
    for (const RECT &rect : rects) {
        Page page(makeFont(20));
        page.draw("Hola", rect);
        EXPECT_TRUE(page.blank());
    }
}

TEST(DrawTextA, EmptyTextAndBadArguments) {
    Page page(makeFont(20));
    EXPECT_EQ(page.draw("", RECT{0, 0, 100, 100}), 0);
    EXPECT_EQ(page.draw("Hola", RECT{0, 0, 100, 100}, 0, 0), 0);
    EXPECT_EQ(DrawTextA(page.dc, nullptr, -1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextA(page.dc, "Hola", -1, nullptr, 0), 0);
    EXPECT_TRUE(page.blank());
}

TEST(DrawTextA, CountedLengthStopsEarly) {
    Page counted(makeFont(20)), whole(makeFont(20));
    counted.draw("Hola mundo", RECT{0, 0, 300, 100}, 0, 4);
    whole.draw("Hola", RECT{0, 0, 300, 100});
    EXPECT_EQ(counted.surface.pixels, whole.surface.pixels);
}

// A fully covered pixel of a large bold glyph has exactly the text colour (COLORREF order).
TEST(DrawTextA, TextColour) {
    const COLORREF colours[] = {0x00F078F0, RGB(200, 30, 90), RGB(0, 0, 0)};
    for (COLORREF colour : colours) {
        Page page(makeFont(50, FW_BOLD));
        SetTextColor(page.dc, colour);
        page.draw("I", RECT{0, 0, 300, 200});
        const uint32_t expected =
            (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        int exact = 0;
        for (uint32_t pixel : page.surface.pixels)
            exact += pixel == expected;
        EXPECT_GT(exact, 50) << std::hex << colour;
    }
}

// Transparent: only glyph pixels change. Opaque (the default): the cell behind the text is
// filled white.
TEST(DrawTextA, BackgroundModes) {
    Page transparent(makeFont(20));
    transparent.draw("i i", RECT{0, 0, 300, 200});
    const RECT ink = transparent.ink();
    int untouched = 0;
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x)
            untouched += pixelAt(transparent.surface, x, y) == paper;
    EXPECT_GT(untouched, 0);

    Page opaque(makeFont(20));
    SetBkMode(opaque.dc, OPAQUE);
    HFONT font = opaque.font;
    const int width = textWidth(font, "i i", 3);
    opaque.draw("i i", RECT{0, 0, 300, 200});
    for (int y = 0; y < opaque.lineHeight; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_NE(pixelAt(opaque.surface, x, y), paper) << x << "," << y;
    EXPECT_EQ(pixelAt(opaque.surface, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(pixelAt(opaque.surface, width, 0), paper);
    EXPECT_EQ(pixelAt(opaque.surface, 0, opaque.lineHeight), paper);
}

// Windows-1252 bytes draw their own letters: not the glyph of the plain letter, a question
// mark or the missing-glyph box.
TEST(DrawTextA, Windows1252Letters) {
    struct Pair {
        const char *accented;
        const char *plain;
    };
    const Pair pairs[] = {{"\xBF", "?"}, {"\xED", "i"}, {"\xE9", "e"}, {"\xFA", "u"}};
    for (const Pair &pair : pairs) {
        Page accented(makeFont(30)), plain(makeFont(30)), missing(makeFont(30));
        accented.draw(pair.accented, RECT{0, 0, 100, 100});
        plain.draw(pair.plain, RECT{0, 0, 100, 100});
        missing.draw("\x81", RECT{0, 0, 100, 100}); // unassigned in Windows-1252
        EXPECT_FALSE(accented.blank());
        EXPECT_NE(accented.surface.pixels, plain.surface.pixels) << pair.plain;
        EXPECT_NE(accented.surface.pixels, missing.surface.pixels) << pair.plain;
    }
}

TEST(DrawTextA, WindowDCOffsetsAndClipsToTheWindow) {
    Page direct(makeFont(20));
    direct.draw("Hola", RECT{30, 40, 290, 190});

    Page window(makeFont(20));
    releaseSurfaceDC(window.dc);
    window.dc = createSurfaceDC(&window.surface, POINT{20, 30}, RECT{20, 30, 300, 200});
    SelectObject(window.dc, window.font);
    SetBkMode(window.dc, TRANSPARENT);
    window.draw("Hola", RECT{10, 10, 270, 160});
    EXPECT_EQ(direct.surface.pixels, window.surface.pixels);

    Page clipped(makeFont(20));
    releaseSurfaceDC(clipped.dc);
    clipped.dc = createSurfaceDC(&clipped.surface, POINT{0, 0}, RECT{0, 0, 20, 12});
    SelectObject(clipped.dc, clipped.font);
    clipped.draw("Hola", RECT{0, 0, 300, 200});
    const RECT ink = clipped.ink();
    EXPECT_LE(ink.right, 20);
    EXPECT_LE(ink.bottom, 12);
}

TEST(DrawTextA, CalcRectMeasuresWithoutDrawing) {
    Page page(makeFont(20));
    RECT rect{5, 7, 6, 8};
    const int height = DrawTextA(page.dc, "uno\ndos mas", -1, &rect, DT_CALCRECT);
    EXPECT_EQ(height, 2 * page.lineHeight);
    EXPECT_EQ(rect.left, 5);
    EXPECT_EQ(rect.top, 7);
    EXPECT_EQ(rect.right, 5 + textWidth(page.font, "dos mas", -1));
    EXPECT_EQ(rect.bottom, 7 + 2 * page.lineHeight);
    EXPECT_TRUE(page.blank());
}

// A button caption: one line centred both ways.
TEST(DrawTextA, CentredSingleLine) {
    Page page(makeFont(-11, FW_NORMAL, 0, "MS Sans Serif"));
    const RECT rect{40, 40, 140, 80};
    page.draw("Salir", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const RECT ink = page.ink();
    const int width = textWidth(page.font, "Salir", -1);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 90, 2.0);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 60, 3.0);
    EXPECT_LE(ink.right - ink.left, width + 1);
}

// The four messages of the game in their fonts fit or are cut as their rectangles say.
TEST(DrawTextA, GameMessages) {
    struct Message {
        const char *text;
        int width, height, styleHeight, weight;
        BYTE italic;
    };
    const Message messages[] = {
        {"ORDANEL SOFTWARE GANO!!!", 700, 150, 50, 200, 5},
        {"Bueno. Hm. Ganas. Esta vez.", 600, 300, 12, 200, 0},
        {"Reglas\nSe quitan palitos de una fila.\n\xBFQui\xE9n quita el \xFAltimo?", 500, 300, 20,
         200, 0},
        {"Manejo\nHaga clic en los palitos.", 500, 250, 20, 200, 1},
    };
    for (const Message &m : messages) {
        Page page(makeFont(m.styleHeight, m.weight, m.italic), m.width, m.height);
        SetTextColor(page.dc, m.italic == 5 ? 0x00F078F0 : 0);
        const RECT rect{50, 50, m.width - 50, m.height - 50};
        page.draw(m.text, rect);
        const RECT ink = page.ink();
        EXPECT_FALSE(page.blank()) << m.text;
        EXPECT_GE(ink.left, rect.left) << m.text;
        EXPECT_GE(ink.top, rect.top) << m.text;
        EXPECT_LE(ink.right, rect.right) << m.text;
        EXPECT_LE(ink.bottom, rect.bottom) << m.text;
    }
}

} // namespace
