// Font objects: CreateFontIndirectA, the stock GUI font, metrics and text widths.
#include <string.h>

#include "platform/gdi/font.h"
#include "platform/gdi/objects.h"

namespace {

FontObject *newFont(const LOGFONTA &logFont, bool stock) {
    FontInstance *instance = resolveFont(logFont);
    if (!instance && !stock)
        return nullptr;
    auto *font = new FontObject;
    font->logFont = logFont;
    font->instance = instance;
    font->stock = stock;
    registerObject(font);
    return font;
}

HFONT handleOf(FontObject *font) {
    return font ? static_cast<HFONT>(font->handle) : nullptr;
}

FontInstance *instanceOf(HFONT handle) {
    FontObject *font = findFont(handle);
    return font ? font->instance : nullptr;
}

LOGFONTA describeFont(const char *face, LONG height, int weight, bool italic) {
    LOGFONTA logFont;
    memset(&logFont, 0, sizeof logFont);
    logFont.lfHeight = height;
    logFont.lfWeight = weight;
    logFont.lfItalic = italic ? 1 : 0;
    if (face)
        strncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    return logFont;
}

} // namespace

HFONT WINAPI CreateFontIndirectA(const LOGFONTA *logFont) {
    if (!logFont)
        return nullptr;
    return handleOf(newFont(*logFont, false));
}

// Point sizes at 96 dots per inch, as the dialog manager asks for a template's font.
HFONT createPointFont(const char *face, int pointSize, int weight, bool italic) {
    const LONG height = -static_cast<LONG>((static_cast<long long>(pointSize) * 96 + 36) / 72);
    LOGFONTA logFont = describeFont(face, height, weight, italic);
    return CreateFontIndirectA(&logFont);
}

// 8 point "MS Sans Serif", the font of menus and of controls without WM_SETFONT.
FontObject *stockGuiFont() {
    static FontObject *font = newFont(describeFont("MS Sans Serif", -11, FW_NORMAL, false), true);
    return font;
}

HFONT guiFont() {
    return handleOf(stockGuiFont());
}

bool getFontMetrics(HFONT handle, FontMetrics *metrics) {
    FontInstance *instance = instanceOf(handle);
    if (!instance || !metrics)
        return false;
    metrics->height = instance->height;
    metrics->ascent = instance->ascent;
    metrics->averageWidth = instance->averageWidth;
    return true;
}

int textWidth(HFONT handle, const char *text, int length) {
    FontInstance *instance = instanceOf(handle);
    if (!instance || !text)
        return 0;
    if (length < 0)
        length = static_cast<int>(strlen(text));
    int width = 0;
    for (int i = 0; i < length; ++i)
        width += fontByteGlyph(instance, static_cast<unsigned char>(text[i])).advance;
    return width;
}

SIZE dialogBaseUnits(HFONT handle) {
    FontInstance *instance = instanceOf(handle);
    if (!instance)
        return SIZE{0, 0};
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const int total = textWidth(handle, letters, 52);
    return SIZE{(total / 26 + 1) / 2, instance->height};
}
