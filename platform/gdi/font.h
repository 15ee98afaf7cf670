// Inside the layer: logical fonts resolved to rendered glyphs. The desktop's source finds font
// files through fontconfig and renders them with FreeType (font.cpp); the web page's source
// holds glyphs rendered when it was built (fontbaked.cpp). Resolved faces and their glyphs are
// cached for the life of the process.
#pragma once

#include <stdint.h>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win32.h"

// One rendered character: grey coverage 0..255, placed relative to the pen on the baseline.
struct Glyph {
    int left = 0; // first column right of the pen
    int top = 0;  // rows of the bitmap above the baseline
    int width = 0;
    int height = 0;
    int advance = 0; // pixels the pen moves
    std::vector<uint8_t> coverage;
};

// A face at one pixel size, with the synthetic bold or slant it needs.
struct FontInstance {
    std::string file;
    std::string family;
    int height = 0;       // cell height (tmHeight)
    int ascent = 0;       // baseline below the cell top
    int averageWidth = 0; // tmAveCharWidth
    bool syntheticBold = false;
    bool syntheticItalic = false;
    bool smooth = false;  // grey edges at this size, as the face's gasp table asks; else 1 bit
    void *face = nullptr; // FT_Face, or the BakedFont of glyphs rendered at build time
    std::unordered_map<uint32_t, Glyph> glyphs;
    const Glyph *byteGlyphs[256] = {}; // Windows-1252 byte -> glyph, filled as used
};

// What a logical font asks for once the classic faces are mapped to installed ones.
struct FontRequest {
    std::string family;
    int weight = FW_NORMAL;
    bool italic = false;
    LONG height = 0;                  // lfHeight; 0 when a bitmap size decides
    int rasterEm = 0, rasterCell = 0; // the bitmap size of a classic face, or 0
};
FontRequest mapLogicalFont(const LOGFONTA &logFont);

// The instance a logical font maps to; null only when no font file can be found at all.
// "Times New Roman", "MS Sans Serif" and "System" map to metric-compatible Liberation faces.
FontInstance *resolveFont(const LOGFONTA &logFont);

// The glyph of a Unicode code point, rendered on first use.
const Glyph &fontGlyph(FontInstance *font, uint32_t codePoint);
// The glyph of a Windows-1252 byte.
const Glyph &fontByteGlyph(FontInstance *font, unsigned char byte);
// The face's glyph index of a code point; 0 means the face has none (the missing-glyph box).
unsigned fontGlyphIndex(FontInstance *font, uint32_t codePoint);
