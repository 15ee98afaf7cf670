#include "platform/gdi/font.h"

#include <cmath>
#include <map>
#include <memory>
#include <stdlib.h>
#include <tuple>
#include <unistd.h>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include "platform/gdi/cp1252.h"

namespace {

FT_Library library() {
    static FT_Library ft = [] {
        FT_Library created = nullptr;
        if (FT_Init_FreeType(&created) != 0)
            created = nullptr;
        return created;
    }();
    return ft;
}

struct FaceMatch {
    std::string file;
    int index = 0;
    std::string family;
    bool bold = false;
    bool italic = false;
    bool found = false;
};

// The substitute families where fonts-liberation installs them. Found there, a face needs no
// fontconfig: starting fontconfig (reading its configuration and caches) is the largest part of
// the first text's cost.
FaceMatch liberationFile(const std::string &family, int weight, bool italic) {
    FaceMatch match;
    const char *name = family == "Liberation Serif"  ? "LiberationSerif"
                       : family == "Liberation Sans" ? "LiberationSans"
                       : family == "Liberation Mono" ? "LiberationMono"
                                                     : nullptr;
    if (!name)
        return match;
    const bool bold = weight >= 600;
    const char *style = bold && italic ? "BoldItalic"
                        : bold         ? "Bold"
                        : italic       ? "Italic"
                                       : "Regular";
    std::string file =
        std::string("/usr/share/fonts/truetype/liberation/") + name + "-" + style + ".ttf";
    if (access(file.c_str(), R_OK) != 0)
        return match;
    match.file = file;
    match.family = family;
    match.bold = bold;
    match.italic = italic;
    match.found = true;
    return match;
}

FaceMatch matchFace(const std::string &family, int weight, bool italic) {
    static std::map<std::tuple<std::string, int, bool>, FaceMatch> cache;
    auto key = std::make_tuple(family, weight, italic);
    auto known = cache.find(key);
    if (known != cache.end())
        return known->second;
    FaceMatch direct = liberationFile(family, weight, italic);
    if (direct.found) {
        cache[key] = direct;
        return direct;
    }

    // Fontconfig's configuration is released at exit, so that leak checks see nothing left.
    static const bool initialised = FcInit() && atexit(FcFini) == 0;
    (void)initialised;

    FaceMatch match;
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *found = FcFontMatch(nullptr, pattern, &result);
    if (found) {
        FcChar8 *file = nullptr;
        FcChar8 *foundFamily = nullptr;
        int index = 0, foundWeight = FC_WEIGHT_REGULAR, foundSlant = FC_SLANT_ROMAN;
        if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(found, FC_INDEX, 0, &index);
            FcPatternGetInteger(found, FC_WEIGHT, 0, &foundWeight);
            FcPatternGetInteger(found, FC_SLANT, 0, &foundSlant);
            if (FcPatternGetString(found, FC_FAMILY, 0, &foundFamily) == FcResultMatch)
                match.family = reinterpret_cast<const char *>(foundFamily);
            match.file = reinterpret_cast<const char *>(file);
            match.index = index;
            match.bold = foundWeight >= FC_WEIGHT_DEMIBOLD;
            match.italic = foundSlant != FC_SLANT_ROMAN;
            match.found = true;
        }
        FcPatternDestroy(found);
    }
    FcPatternDestroy(pattern);
    cache[key] = match;
    return match;
}

// Vertical metrics in font units as Windows takes them: the OS/2 table's clipping ascent and
// descent, which the Liberation faces share with the faces they stand in for.
void verticalUnits(FT_Face face, double *ascent, double *descent) {
    auto *os2 = static_cast<TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        *ascent = os2->usWinAscent;
        *descent = os2->usWinDescent;
    } else {
        *ascent = face->ascender;
        *descent = -face->descender;
    }
    if (*ascent + *descent <= 0) {
        *ascent = face->units_per_EM * 0.8;
        *descent = face->units_per_EM * 0.2;
    }
}

// Whether text at this many pixels per em has grey edges. Windows' standard font smoothing
// follows the face's gasp table: grey where the range that holds the size asks for it, one bit
// per pixel elsewhere (the small dialog sizes). A face without the table is drawn grey; the
// classic bitmap faces never are.
bool smoothAt(FT_Face face, int pixelsPerEm) {
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face, TTAG_gasp, 0, nullptr, &length) != 0 || length < 4)
        return true;
    std::vector<FT_Byte> table(length);
    if (FT_Load_Sfnt_Table(face, TTAG_gasp, 0, table.data(), &length) != 0)
        return true;
    auto word = [&](size_t at) { return static_cast<unsigned>(table[at] << 8 | table[at + 1]); };
    const unsigned nrRanges = word(2);
    const unsigned doGray = 0x0002;
    for (unsigned i = 0; i < nrRanges && 4 + 4 * i + 3 < length; ++i) {
        if (pixelsPerEm <= static_cast<int>(word(4 + 4 * i)))
            return (word(4 + 4 * i + 2) & doGray) != 0;
    }
    return true;
}

// A bitmap size draws the outlines at its em height and keeps its own cell height.
std::unique_ptr<FontInstance> openInstance(const FaceMatch &match, const FontRequest &request) {
    const LONG height = request.height;
    const bool raster = request.rasterEm > 0;
    const bool bold = request.weight >= 600, italic = request.italic;
    if (!library())
        return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library(), match.file.c_str(), match.index, &face) != 0)
        return nullptr;
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);

    double unitsAscent = 0, unitsDescent = 0;
    verticalUnits(face, &unitsAscent, &unitsDescent);
    const double units = unitsAscent + unitsDescent;
    const double perEm = face->units_per_EM ? face->units_per_EM : 2048;

    // Positive: the cell height; negative: the em height; 0: the mapper's default cell.
    int cell = 0;
    double emPixels = 0;
    if (raster) {
        emPixels = request.rasterEm;
        cell = request.rasterCell;
    } else if (height < 0) {
        emPixels = -static_cast<double>(height);
        cell = static_cast<int>(std::lround(unitsAscent * emPixels / perEm) +
                                std::lround(unitsDescent * emPixels / perEm));
    } else {
        cell = height > 0 ? static_cast<int>(height) : 16;
    }
    if (!raster && height >= 0)
        emPixels = cell * perEm / units;
    if (emPixels < 1)
        emPixels = 1;
    if (emPixels > 1000)
        emPixels = 1000;

    auto instance = std::make_unique<FontInstance>();
    instance->file = match.file;
    instance->family = match.family;
    instance->face = face;
    instance->syntheticBold = bold && !match.bold;
    instance->syntheticItalic = italic && !match.italic;
    instance->smooth = !raster && smoothAt(face, static_cast<int>(std::lround(emPixels)));
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(emPixels * 64)), 72, 72) !=
        0) {
        FT_Done_Face(face);
        return nullptr;
    }
    if (height < 0 && !raster) {
        instance->ascent = static_cast<int>(std::lround(unitsAscent * emPixels / perEm));
        instance->height = cell;
    } else {
        instance->height = cell;
        instance->ascent = static_cast<int>(std::lround(unitsAscent * cell / units));
    }
    auto *os2 = static_cast<TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->xAvgCharWidth > 0)
        instance->averageWidth =
            static_cast<int>(std::lround(os2->xAvgCharWidth * emPixels / perEm));
    else
        instance->averageWidth = fontGlyph(instance.get(), 'x').advance;
    if (instance->syntheticBold)
        instance->averageWidth += 1;
    return instance;
}

} // namespace

FontInstance *resolveFont(const LOGFONTA &logFont) {
    static std::map<std::tuple<std::string, LONG, int, bool, int, int>,
                    std::unique_ptr<FontInstance>>
        instances;

    const FontRequest request = mapLogicalFont(logFont);
    auto key = std::make_tuple(request.family, request.height, request.weight, request.italic,
                               request.rasterEm, request.rasterCell);
    auto known = instances.find(key);
    if (known != instances.end())
        return known->second.get();

    FaceMatch match = matchFace(request.family, request.weight, request.italic);
    if (!match.found)
        return nullptr;
    std::unique_ptr<FontInstance> instance = openInstance(match, request);
    FontInstance *result = instance.get();
    if (instance)
        instances[key] = std::move(instance);
    return result;
}

unsigned fontGlyphIndex(FontInstance *font, uint32_t codePoint) {
    if (!font || !font->face)
        return 0;
    return FT_Get_Char_Index(static_cast<FT_Face>(font->face), codePoint);
}

const Glyph &fontGlyph(FontInstance *font, uint32_t codePoint) {
    static const Glyph none;
    if (!font || !font->face)
        return none;
    auto known = font->glyphs.find(codePoint);
    if (known != font->glyphs.end())
        return known->second;

    Glyph &glyph = font->glyphs[codePoint];
    auto face = static_cast<FT_Face>(font->face);
    FT_UInt index = FT_Get_Char_Index(face, codePoint);
    const FT_Int32 target = font->smooth ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(face, index, target | FT_LOAD_NO_BITMAP) != 0)
        return glyph;
    FT_GlyphSlot slot = face->glyph;
    int advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        // Windows makes bold by widening each stroke one pixel, and slants by a fixed shear.
        if (font->syntheticBold) {
            FT_Outline_EmboldenXY(&slot->outline, 64, 0);
            advance += 1;
        }
        if (font->syntheticItalic) {
            FT_Matrix shear = {0x10000, 0x0366A, 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
    }
    glyph.advance = advance;
    if (FT_Render_Glyph(slot, font->smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
        return glyph;
    const FT_Bitmap &bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
        return glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
    for (int row = 0; row < glyph.height; ++row) {
        const unsigned char *line = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        for (int column = 0; column < glyph.width; ++column) {
            uint8_t value = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY
                                ? line[column]
                                : ((line[column >> 3] >> (7 - (column & 7))) & 1) * 255;
            glyph.coverage[static_cast<size_t>(row) * glyph.width + column] = value;
        }
    }
    return glyph;
}

const Glyph &fontByteGlyph(FontInstance *font, unsigned char byte) {
    static const Glyph none;
    if (!font)
        return none;
    if (!font->byteGlyphs[byte])
        font->byteGlyphs[byte] = &fontGlyph(font, cp1252ToUnicode(byte));
    return *font->byteGlyphs[byte];
}
