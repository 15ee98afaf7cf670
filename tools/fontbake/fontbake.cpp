// Renders the glyphs of the fonts the program asks for through the desktop's font source
// (fontconfig and FreeType), and writes them as C++ tables for a build without FreeType. The
// fonts are found as the program makes them: the menus' and controls' font and each dialog
// template's font (from the compiled resources), with all of Windows-1252, and each message's
// font, with the characters of its text. A glyph whose pixels are all blank or full is stored
// at one bit a pixel, any other run-length coded.
// Usage: quillmere_fontbake out.cpp program.res
#include <stdio.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gdi/font.h"
#include "platform/gdi/gdi.h"
#include "platform/resources/resfile.h"
#include "shell/texts.h"

namespace {

// A font the program makes and the bytes it draws with it (all of them but for messages).
struct ProgramFont {
    HFONT font;
    std::string bytes;
};

std::string allBytes() {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte)
        bytes += char(byte);
    return bytes;
}

// The fonts the program makes, in the order: menus and controls, dialog templates, messages.
bool programFonts(const std::vector<uint8_t> &image, std::vector<ProgramFont> *fonts,
                  std::string *why) {
    fonts->push_back({guiFont(), allBytes()});
    std::vector<ResourceEntry> entries;
    if (!listResources(ResourceBytes{image.data(), image.size()}, &entries, why))
        return false;
    for (const ResourceEntry &entry : entries) {
        if (entry.typeIsNamed || entry.type != ResourceTypeDialog)
            continue;
        DialogTemplate dialog;
        if (!decodeDialog(entry.data, &dialog, why))
            return false;
        // As the dialog manager makes the font of a template.
        if (dialog.style & DS_SETFONT)
            fonts->push_back(
                {createPointFont(dialog.faceName.c_str(), dialog.pointSize, FW_NORMAL, false),
                 allBytes()});
    }
    for (const MessageText &message : messageTexts) {
        LOGFONTA logFont;
        fontForStyle(message.styleCode, &logFont);
        fonts->push_back({CreateFontIndirectA(&logFont), message.text});
    }
    return true;
}

// Blank and full pixels only: eight to a byte, the first in the top bit.
bool packBits(const std::vector<uint8_t> &coverage, std::vector<uint8_t> *out) {
    for (uint8_t value : coverage)
        if (value != 0 && value != 255)
            return false;
    for (size_t i = 0; i < coverage.size(); i += 8) {
        uint8_t byte = 0;
        for (size_t bit = 0; bit < 8 && i + bit < coverage.size(); ++bit)
            byte |= uint8_t(coverage[i + bit] ? 0x80 >> bit : 0);
        out->push_back(byte);
    }
    return true;
}

void encodeCoverage(const std::vector<uint8_t> &coverage, std::vector<uint8_t> *out) {
    for (size_t i = 0; i < coverage.size();) {
        uint8_t value = coverage[i];
        if (value == 0 || value == 255) {
            size_t run = 1;
            while (i + run < coverage.size() && coverage[i + run] == value && run < 255)
                ++run;
            out->push_back(value);
            out->push_back(uint8_t(run));
            i += run;
        } else {
            out->push_back(value);
            ++i;
        }
    }
}

bool sameRequest(const FontRequest &a, const FontRequest &b) {
    return a.family == b.family && a.height == b.height && a.weight == b.weight &&
           a.italic == b.italic && a.rasterEm == b.rasterEm && a.rasterCell == b.rasterCell;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s out.cpp program.res\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    const std::vector<uint8_t> image{std::istreambuf_iterator<char>(in), {}};
    if (!in) {
        fprintf(stderr, "error: cannot read %s\n", argv[2]);
        return 1;
    }
    std::vector<ProgramFont> fonts;
    std::string why;
    if (!programFonts(image, &fonts, &why)) {
        fprintf(stderr, "error: %s: %s\n", argv[2], why.c_str());
        return 1;
    }
    std::vector<FontRequest> requests;
    std::vector<FontInstance *> instances;
    std::vector<std::vector<bool>> wanted; // by instance, the bytes whose glyphs are baked
    for (size_t i = 0; i < fonts.size(); ++i) {
        LOGFONTA logFont;
        if (!fonts[i].font ||
            GetObjectA(fonts[i].font, sizeof logFont, &logFont) != sizeof logFont) {
            fprintf(stderr, "error: font %zu: no font file\n", i);
            return 1;
        }
        FontRequest request = mapLogicalFont(logFont);
        size_t known = 0;
        while (known < requests.size() && !sameRequest(requests[known], request))
            ++known;
        if (known == requests.size())
            wanted.emplace_back(256, false);
        for (unsigned char byte : fonts[i].bytes)
            wanted[known][byte] = true;
        if (known < requests.size())
            continue;
        FontInstance *instance = resolveFont(logFont);
        if (!instance) {
            fprintf(stderr, "error: no font file for \"%s\" %ld\n", logFont.lfFaceName,
                    long(logFont.lfHeight));
            return 1;
        }
        requests.push_back(request);
        instances.push_back(instance);
    }

    std::string text = "// Generated by quillmere_fontbake; do not edit.\n"
                       "#include \"platform/gdi/bakedfont.h\"\n\n";
    std::vector<uint8_t> coverage;
    char line[256];
    for (size_t f = 0; f < instances.size(); ++f) {
        snprintf(line, sizeof line, "static const BakedGlyph glyphs%zu[256] = {\n", f);
        text += line;
        for (int byte = 0; byte < 256; ++byte) {
            const Glyph &glyph = fontByteGlyph(instances[f], uint8_t(byte));
            if (glyph.width > 255 || glyph.height > 255 || glyph.advance > 255 ||
                glyph.left < -128 || glyph.left > 127 || glyph.top < -128 || glyph.top > 127) {
                fprintf(stderr, "error: font %zu: glyph %d too large for the tables\n", f, byte);
                return 1;
            }
            // A glyph the program never draws keeps its metrics and no pixels.
            const bool baked = wanted[f][byte];
            const size_t offset = coverage.size();
            const bool bits = baked && packBits(glyph.coverage, &coverage);
            if (baked && !bits)
                encodeCoverage(glyph.coverage, &coverage);
            snprintf(line, sizeof line, "    {%d, %d, %d, %d, %d, %d, %zu},\n", glyph.left,
                     glyph.top, baked ? glyph.width : 0, baked ? glyph.height : 0, glyph.advance,
                     bits ? 1 : 8, offset);
            text += line;
        }
        text += "};\n";
    }
    text += "\nconst BakedFont bakedFonts[] = {\n";
    for (size_t f = 0; f < instances.size(); ++f) {
        const FontRequest &r = requests[f];
        const FontInstance &i = *instances[f];
        snprintf(line, sizeof line, "    {\"%s\", %ld, %d, %s, %d, %d, %d, %d, %d, glyphs%zu},\n",
                 r.family.c_str(), long(r.height), r.weight, r.italic ? "true" : "false",
                 r.rasterEm, r.rasterCell, i.height, i.ascent, i.averageWidth, f);
        text += line;
    }
    snprintf(line, sizeof line,
             "};\nconst int nrBakedFonts = %zu;\n\nconst uint8_t bakedCoverage[] = {",
             instances.size());
    text += line;
    for (size_t i = 0; i < coverage.size(); ++i) {
        snprintf(line, sizeof line, "%s%d,", i % 24 == 0 ? "\n    " : "", coverage[i]);
        text += line;
    }
    text += "\n    0};\n";

    FILE *out = fopen(argv[1], "wb");
    if (!out || fwrite(text.data(), 1, text.size(), out) != text.size() || fclose(out) != 0) {
        fprintf(stderr, "error: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
