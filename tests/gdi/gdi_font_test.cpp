#include <iostream>
#include <string.h>
#include <string>

#include <gtest/gtest.h>

#include "platform/font.h"
#include "tests/gdi/gdi_test_support.h"

namespace {

LOGFONTA describe(const char *face, LONG height, LONG weight, BYTE italic) {
    LOGFONTA font;
    memset(&font, 0, sizeof font);
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfItalic = italic;
    strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

FontMetrics metricsOf(const LOGFONTA &description) {
    FontMetrics metrics{};
    HFONT font = CreateFontIndirectA(&description);
    EXPECT_NE(font, nullptr);
    EXPECT_TRUE(getFontMetrics(font, &metrics));
    DeleteObject(font);
    return metrics;
}

// The ink of a text in a font: total coverage and a fingerprint of where it lies.
struct Ink {
    long total = 0;
    std::vector<uint32_t> pixels;
};

Ink inkOf(const LOGFONTA &description, const char *text) {
    Surface surface;
    surface.resize(200, 100, 0xFFFFFF);
    HDC dc = wholeSurfaceDC(&surface);
    HFONT font = CreateFontIndirectA(&description);
    SelectObject(dc, font);
    drawTextAt(dc, 5, 5, text, -1);
    releaseSurfaceDC(dc);
    DeleteObject(font);
    Ink ink;
    for (uint32_t pixel : surface.pixels)
        ink.total += 255 - (pixel & 0xFF);
    ink.pixels = surface.pixels;
    return ink;
}

// The message dialog passes the cell height; the dialog manager passes a negative em height.
TEST(FontHeight, PositiveIsTheCellHeight) {
    for (LONG height : {8, 12, 13, 20, 50, 99}) {
        FontMetrics metrics = metricsOf(describe("Times New Roman", height, 200, 0));
        EXPECT_EQ(metrics.height, height);
        EXPECT_GT(metrics.ascent, height / 2);
        EXPECT_LT(metrics.ascent, height);
    }
}

TEST(FontHeight, NegativeIsTheEmHeight) {
    for (LONG em : {11, 16, 30}) {
        FontMetrics metrics = metricsOf(describe("Times New Roman", -em, FW_NORMAL, 0));
        // The cell adds the space above and below the em: about 1.1 em for these faces.
        EXPECT_GE(metrics.height, em + 1);
        EXPECT_LE(metrics.height, em * 5 / 4 + 1);
    }
}

TEST(FontHeight, ZeroGivesTheDefaultCell) {
    EXPECT_EQ(metricsOf(describe("Times New Roman", 0, 200, 0)).height, 16);
    EXPECT_EQ(metricsOf(describe("MS Sans Serif", 0, FW_NORMAL, 0)).height, 16);
}

TEST(FontHeight, CellHeightScalesTheGlyphs) {
    const Ink small = inkOf(describe("Times New Roman", 20, FW_NORMAL, 0), "Hola");
    const Ink large = inkOf(describe("Times New Roman", 40, FW_NORMAL, 0), "Hola");
    EXPECT_GT(large.total, small.total * 3);
}

// Weight 200 has no face of its own and maps to the regular one; 700 to the bold face.
TEST(FontWeightAndSlant, ChangeTheGlyphs) {
    const Ink light = inkOf(describe("Times New Roman", 50, 200, 0), "Hola");
    const Ink regular = inkOf(describe("Times New Roman", 50, FW_NORMAL, 0), "Hola");
    const Ink bold = inkOf(describe("Times New Roman", 50, FW_BOLD, 0), "Hola");
    const Ink italic = inkOf(describe("Times New Roman", 50, 200, 5), "Hola");
    EXPECT_EQ(light.pixels, regular.pixels);
    EXPECT_GT(bold.total, regular.total * 11 / 10);
    EXPECT_NE(italic.pixels, regular.pixels);
}

struct SubstituteCase {
    const char *face;
    LONG weight;
    BYTE italic;
    const char *family;
    const char *file;
};

TEST(FontFaces, ClassicFacesResolveToMetricCompatibleOnes) {
    const SubstituteCase cases[] = {
        {"Times New Roman", 200, 0, "Liberation Serif", "LiberationSerif-Regular"},
        {"Times New Roman", 200, 5, "Liberation Serif", "LiberationSerif-Italic"},
        {"Times New Roman", 900, 0, "Liberation Serif", "LiberationSerif-Bold"},
        {"times new roman", FW_NORMAL, 0, "Liberation Serif", "LiberationSerif-Regular"},
        {"MS Sans Serif", FW_NORMAL, 0, "Liberation Sans", "LiberationSans-Regular"},
        {"System", FW_NORMAL, 0, "Liberation Sans", "LiberationSans-Bold"},
        {"", FW_NORMAL, 0, "Liberation Sans", "LiberationSans-Regular"},
    };
    for (const SubstituteCase &c : cases) {
        FontInstance *instance = resolveFont(describe(c.face, -16, c.weight, c.italic));
        ASSERT_NE(instance, nullptr) << c.face;
        EXPECT_EQ(instance->family, c.family) << c.face;
        EXPECT_NE(instance->file.find(c.file), std::string::npos)
            << c.face << ": " << instance->file;
        EXPECT_FALSE(instance->syntheticBold) << c.face;
        EXPECT_FALSE(instance->syntheticItalic) << c.face;
    }
}

TEST(FontFaces, UnknownFacesGetFontconfigsMatch) {
    FontInstance *instance = resolveFont(describe("No Such Face Anywhere", -16, FW_NORMAL, 0));
    ASSERT_NE(instance, nullptr);
    EXPECT_FALSE(instance->file.empty());
    EXPECT_GT(instance->height, 0);
}

// "System" and "MS Sans Serif" are bitmap fonts made in a few sizes: a request gets the
// largest size not above it, or the smallest; beyond the largest size they scale.
TEST(FontFaces, BitmapFacesSnapToTheirSizes) {
    struct Case {
        const char *face;
        LONG height;
        int cell;
    };
    const Case cases[] = {
        {"System", -11, 16},        {"System", 10, 16},         {"System", -13, 16},
        {"System", 32, 32},         {"MS Sans Serif", -11, 13}, {"MS Sans Serif", -12, 13},
        {"MS Sans Serif", -13, 16}, {"MS Sans Serif", 15, 13},  {"MS Sans Serif", 20, 20},
        {"MS Sans Serif", -8, 13},  {"MS Sans Serif", -40, 0},
    };
    for (const Case &c : cases) {
        const int cell = metricsOf(describe(c.face, c.height, FW_NORMAL, 0)).height;
        if (c.cell)
            EXPECT_EQ(cell, c.cell) << c.face << " " << c.height;
        else
            EXPECT_GT(cell, 40) << c.face << " " << c.height;
    }
}

// The Windows-1252 letters of the game's texts have glyphs of their own, not the box.
TEST(FontFaces, Windows1252LettersHaveGlyphs) {
    FontInstance *instance = resolveFont(describe("Times New Roman", 20, 200, 0));
    ASSERT_NE(instance, nullptr);
    for (unsigned char byte : {0xBF, 0xED, 0xE9, 0xFA, 0xE1, 0xF3, 0xF1, 0xA1, 0x80}) {
        const uint32_t codePoint = byte == 0x80 ? 0x20AC : byte;
        EXPECT_NE(fontGlyphIndex(instance, codePoint), 0u) << int(byte);
        EXPECT_EQ(&fontByteGlyph(instance, byte), &fontGlyph(instance, codePoint)) << int(byte);
        EXPECT_GT(fontByteGlyph(instance, byte).coverage.size(), 0u) << int(byte);
    }
}

// Dialog base units of the three templates' fonts, as the dialog manager computes them.
TEST(DialogBaseUnits, TemplateFonts) {
    struct TemplateFont {
        int templateId;
        const char *face;
        int points;
        int minX, maxX, height;
    };
    const TemplateFont fonts[] = {
        {103, "System", 8, 7, 9, 16},
        {129, "Times New Roman", 12, 8, 10, 17},
        {133, "MS Sans Serif", 8, 5, 7, 13},
    };
    for (const TemplateFont &f : fonts) {
        HFONT font = createPointFont(f.face, f.points, FW_NORMAL, false);
        ASSERT_NE(font, nullptr);
        const SIZE units = dialogBaseUnits(font);
        FontMetrics metrics{};
        getFontMetrics(font, &metrics);
        std::cout << "[ base units ] template " << f.templateId << ": " << f.points << " pt \""
                  << f.face << "\" -> " << units.cx << " x " << units.cy << " (ascent "
                  << metrics.ascent << ", average width " << metrics.averageWidth << ")\n";
        EXPECT_GE(units.cx, f.minX) << f.face;
        EXPECT_LE(units.cx, f.maxX) << f.face;
        EXPECT_EQ(units.cy, f.height) << f.face;
        EXPECT_EQ(units.cy, metrics.height);
        DeleteObject(font);
    }
}

TEST(DialogBaseUnits, FollowTheLetterWidths) {
    HFONT font = createPointFont("MS Sans Serif", 8, FW_NORMAL, false);
    const int total = textWidth(font, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", -1);
    EXPECT_EQ(dialogBaseUnits(font).cx, (total / 26 + 1) / 2);
    EXPECT_EQ(textWidth(font, "ab", 2), textWidth(font, "a", 1) + textWidth(font, "b", 1));
    EXPECT_EQ(textWidth(font, "", 0), 0);
    DeleteObject(font);
}

TEST(GuiFont, IsEightPointSansAndNotCounted) {
    const int before = liveGdiObjects();
    FontMetrics metrics{};
    ASSERT_TRUE(getFontMetrics(guiFont(), &metrics));
    EXPECT_EQ(metrics.height, 13);
    EXPECT_EQ(guiFont(), guiFont());
    EXPECT_EQ(liveGdiObjects(), before);
}

} // namespace
