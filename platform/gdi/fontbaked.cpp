// The font source of builds without FreeType: logical fonts resolve to the faces rendered when
// the program was built (bakedfont.h), found by the same mapping the desktop uses. A font that
// was not baked falls back to the baked face of the nearest size and is reported once.
#include <stdio.h>
#include <stdlib.h>

#include <map>
#include <memory>
#include <tuple>

#include "platform/gdi/bakedfont.h"
#include "platform/gdi/cp1252.h"
#include "platform/gdi/font.h"

namespace {

const BakedFont *findBaked(const FontRequest &request) {
    const BakedFont *nearest = nullptr;
    long nearestDistance = 0;
    for (int i = 0; i < nrBakedFonts; ++i) {
        const BakedFont &font = bakedFonts[i];
        if (request.family == font.family && request.height == font.height &&
            request.weight == font.weight && request.italic == font.italic &&
            request.rasterEm == font.rasterEm && request.rasterCell == font.rasterCell)
            return &font;
        const long wanted = request.rasterCell ? request.rasterCell : labs(request.height);
        const long distance =
            labs(font.cellHeight - wanted) + (request.family != font.family) * 1000;
        if (!nearest || distance < nearestDistance) {
            nearest = &font;
            nearestDistance = distance;
        }
    }
    if (nearest)
        fprintf(stderr, "font not baked: %s %ld %d%s; using %s %d\n", request.family.c_str(),
                long(request.height), request.weight, request.italic ? " italic" : "",
                nearest->family, nearest->cellHeight);
    return nearest;
}

// Decodes a glyph's coverage.
void decode(const BakedGlyph &source, Glyph *glyph) {
    glyph->left = source.left;
    glyph->top = source.top;
    glyph->width = source.width;
    glyph->height = source.height;
    glyph->advance = source.advance;
    const size_t size = size_t(source.width) * source.height;
    glyph->coverage.clear();
    glyph->coverage.reserve(size);
    const uint8_t *code = bakedCoverage + source.offset;
    if (source.bits == 1) {
        for (size_t i = 0; i < size; ++i)
            glyph->coverage.push_back(code[i / 8] & (0x80 >> i % 8) ? 255 : 0);
        return;
    }
    while (glyph->coverage.size() < size) {
        const uint8_t value = *code++;
        if (value == 0 || value == 255)
            glyph->coverage.insert(glyph->coverage.end(), *code++, value);
        else
            glyph->coverage.push_back(value);
    }
    glyph->coverage.resize(size);
}

} // namespace

FontInstance *resolveFont(const LOGFONTA &logFont) {
    static std::map<const BakedFont *, std::unique_ptr<FontInstance>> instances;
    const BakedFont *baked = findBaked(mapLogicalFont(logFont));
    if (!baked)
        return nullptr;
    std::unique_ptr<FontInstance> &instance = instances[baked];
    if (!instance) {
        instance = std::make_unique<FontInstance>();
        instance->family = baked->family;
        instance->height = baked->cellHeight;
        instance->ascent = baked->ascent;
        instance->averageWidth = baked->averageWidth;
        instance->face = const_cast<BakedFont *>(baked);
    }
    return instance.get();
}

const Glyph &fontByteGlyph(FontInstance *font, unsigned char byte) {
    static const Glyph none;
    if (!font || !font->face)
        return none;
    if (!font->byteGlyphs[byte]) {
        Glyph &glyph = font->glyphs[byte];
        decode(static_cast<const BakedFont *>(font->face)->glyphs[byte], &glyph);
        font->byteGlyphs[byte] = &glyph;
    }
    return *font->byteGlyphs[byte];
}

// Only Windows-1252 was baked: other code points have no glyph.
const Glyph &fontGlyph(FontInstance *font, uint32_t codePoint) {
    static const Glyph none;
    const unsigned char byte = unicodeToCp1252(codePoint);
    if (cp1252ToUnicode(byte) != codePoint)
        return none;
    return fontByteGlyph(font, byte);
}

unsigned fontGlyphIndex(FontInstance *font, uint32_t codePoint) {
    const unsigned char byte = unicodeToCp1252(codePoint);
    return font && cp1252ToUnicode(byte) == codePoint ? 1u + byte : 0u;
}
