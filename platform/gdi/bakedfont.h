// Inside the layer: the tables of glyphs rendered when the program was built, for a build
// without FreeType (the web page). tools/fontbake writes them; fontbaked.cpp reads them.
#pragma once

#include <stdint.h>

// One glyph of a Windows-1252 byte. Its coverage starts at `offset` in bakedCoverage: with
// `bits` 1, one bit a pixel (blank or full), row after row, eight to a byte from the top bit;
// with 8, run-length coded: 0x00 n is n blank pixels, 0xFF n is n full ones, any other byte is
// itself.
struct BakedGlyph {
    int8_t left, top;
    uint8_t width, height, advance, bits;
    uint32_t offset;
};

// A face at one size as the desktop's font source resolved it: the request it answers (what
// mapLogicalFont gives) and its metrics and glyphs.
struct BakedFont {
    const char *family;
    int height, weight;
    bool italic;
    int rasterEm, rasterCell;
    int cellHeight, ascent, averageWidth;
    const BakedGlyph *glyphs; // 256, by byte
};

extern const BakedFont bakedFonts[];
extern const int nrBakedFonts;
extern const uint8_t bakedCoverage[];
