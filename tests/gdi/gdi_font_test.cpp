#include <iostream>
#include <string.h>
#include <string>

#include <gtest/gtest.h>

#include "platform/gdi/font.h"
#include "tests/gdi/gdi_test_support.h"

namespace {

LOGFONTA describe(const char *face, LONG height, LONG weight = FW_NORMAL, BYTE italic = 0) {
    LOGFONTA font;
    memset(&font, 0, sizeof font);
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfItalic = italic;
    strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

int cellHeight(const LOGFONTA &description) {
    FontMetrics metrics{};
    HFONT font = CreateFontIndirectA(&description);
    EXPECT_TRUE(getFontMetrics(font, &metrics));
    DeleteObject(font);
    return metrics.height;
}

// The pixels of a text drawn in black on white.
std::vector<uint32_t> rendering(const LOGFONTA &description, const char *text) {
    Surface surface;
    surface.resize(200, 80, 0xFFFFFF);
    HDC dc = wholeSurfaceDC(&surface);
    HFONT font = CreateFontIndirectA(&description);
    SelectObject(dc, font);
    drawTextAt(dc, 5, 5, text, -1);
    releaseSurfaceDC(dc);
    DeleteObject(font);
    return surface.pixels;
}

long inkOf(const std::vector<uint32_t> &pixels) {
    long total = 0;
    for (uint32_t pixel : pixels)
        total += 255 - (pixel & 0xFF);
    return total;
}

// Positive heights are cell heights (the message dialog's), negative ones em heights (the
// dialog manager's), 0 the mapper's default. "System" and "MS Sans Serif" are bitmap fonts
// in a few sizes: a request gets the largest size not above it, or the smallest; beyond the
// largest they scale.
TEST(FontHeight, CellHeights) {
    struct Case {
        const char *face;
        LONG height;
        int minimum, maximum;
    };
    const Case cases[] = {
        {"Times New Roman", 12, 12, 12},  {"Times New Roman", 50, 50, 50},
        {"Times New Roman", 99, 99, 99},  {"Times New Roman", 0, 16, 16},
        {"Times New Roman", -16, 17, 19}, {"Times New Roman", -30, 33, 35},
        {"System", -11, 16, 16},          {"System", 10, 16, 16},
        {"System", 32, 32, 32},           {"MS Sans Serif", -11, 13, 13},
        {"MS Sans Serif", -12, 13, 13},   {"MS Sans Serif", -13, 16, 16},
        {"MS Sans Serif", 15, 13, 13},    {"MS Sans Serif", -8, 13, 13},
        {"MS Sans Serif", -40, 44, 47},
    };
    for (const Case &c : cases) {
        const int cell = cellHeight(describe(c.face, c.height));
        EXPECT_GE(cell, c.minimum) << c.face << " " << c.height;
        EXPECT_LE(cell, c.maximum) << c.face << " " << c.height;
    }
    FontMetrics metrics{};
    ASSERT_TRUE(getFontMetrics(guiFont(), &metrics)); // 8 point "MS Sans Serif"
    EXPECT_EQ(metrics.height, 13);
}

// Weight 200 has no face of its own and draws as the regular one; bold and italic differ.
TEST(FontWeightAndSlant, ChangeTheGlyphs) {
    const auto light = rendering(describe("Times New Roman", 50, 200), "Hola");
    const auto regular = rendering(describe("Times New Roman", 50, FW_NORMAL), "Hola");
    const auto bold = rendering(describe("Times New Roman", 50, FW_BOLD), "Hola");
    const auto italic = rendering(describe("Times New Roman", 50, 200, 5), "Hola");
    EXPECT_EQ(light, regular);
    EXPECT_GT(inkOf(bold), inkOf(regular) * 11 / 10);
    EXPECT_NE(italic, regular);
    EXPECT_GT(inkOf(rendering(describe("Times New Roman", 40), "Hola")),
              inkOf(rendering(describe("Times New Roman", 20), "Hola")) * 5 / 2);
}

TEST(FontFaces, ClassicFacesResolveToMetricCompatibleOnes) {
    struct Case {
        const char *face;
        LONG weight;
        BYTE italic;
        const char *family;
        const char *file;
    };
    const Case cases[] = {
        {"Times New Roman", 200, 0, "Liberation Serif", "LiberationSerif-Regular"},
        {"Times New Roman", 200, 5, "Liberation Serif", "LiberationSerif-Italic"},
        {"Times New Roman", 900, 0, "Liberation Serif", "LiberationSerif-Bold"},
        {"times new roman", FW_NORMAL, 0, "Liberation Serif", "LiberationSerif-Regular"},
        {"MS Sans Serif", FW_NORMAL, 0, "Liberation Sans", "LiberationSans-Regular"},
        {"System", FW_NORMAL, 0, "Liberation Sans", "LiberationSans-Bold"},
        {"", FW_NORMAL, 0, "Liberation Sans", "LiberationSans-Regular"},
    };
    for (const Case &c : cases) {
        FontInstance *instance = resolveFont(describe(c.face, -16, c.weight, c.italic));
        ASSERT_NE(instance, nullptr) << c.face;
        EXPECT_EQ(instance->family, c.family) << c.face;
        EXPECT_NE(instance->file.find(c.file), std::string::npos)
            << c.face << ": " << instance->file;
        EXPECT_FALSE(instance->syntheticBold || instance->syntheticItalic) << c.face;
    }
    FontInstance *unknown = resolveFont(describe("No Such Face Anywhere", -16));
    ASSERT_NE(unknown, nullptr); // whatever fontconfig offers instead
    EXPECT_GT(unknown->height, 0);
}

// The Windows-1252 letters of the game's texts have glyphs of their own, not the box.
TEST(FontFaces, Windows1252LettersHaveGlyphs) {
    FontInstance *instance = resolveFont(describe("Times New Roman", 20, 200));
    ASSERT_NE(instance, nullptr);
    for (unsigned char byte : {0xBF, 0xED, 0xE9, 0xFA, 0xE1, 0xF3, 0xF1, 0x80}) {
        const uint32_t codePoint = byte == 0x80 ? 0x20AC : byte;
        EXPECT_NE(fontGlyphIndex(instance, codePoint), 0u) << int(byte);
        EXPECT_EQ(&fontByteGlyph(instance, byte), &fontGlyph(instance, codePoint)) << int(byte);
    }
}

// Dialog base units of the three templates' fonts, as the dialog manager computes them.
TEST(DialogBaseUnits, TemplateFonts) {
    struct TemplateFont {
        int templateId;
        const char *face;
        int points;
        int x, y;
    };
    const TemplateFont fonts[] = {
        {103, "System", 8, 8, 16},
        {129, "Times New Roman", 12, 9, 17},
        {133, "MS Sans Serif", 8, 6, 13},
    };
    for (const TemplateFont &f : fonts) {
        HFONT font = createPointFont(f.face, f.points, FW_NORMAL, false);
        const SIZE units = dialogBaseUnits(font);
        const int letters =
            textWidth(font, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", -1);
        std::cout << "[ base units ] template " << f.templateId << ": " << f.points << " pt \""
                  << f.face << "\" -> " << units.cx << " x " << units.cy << "\n";
        EXPECT_EQ(units.cx, (letters / 26 + 1) / 2) << f.face;
        EXPECT_NEAR(units.cx, f.x, 1) << f.face;
        EXPECT_EQ(units.cy, f.y) << f.face;
        DeleteObject(font);
    }
}

} // namespace
