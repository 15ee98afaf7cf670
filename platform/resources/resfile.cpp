#include "platform/resources/resfile.h"

#include "platform/gdi/cp1252.h"

#include <string.h>

namespace {

bool fail(std::string *why, const std::string &reason) {
    if (why)
        *why = reason;
    return false;
}

std::string number(uint64_t n) {
    return std::to_string(n);
}

// Reads little-endian fields from a span; pos never passes size, and a read that would leave
// the span fails without moving.
struct Cursor {
    const uint8_t *data;
    size_t size;
    size_t pos = 0;

    size_t left() const { return size - pos; }
    bool skip(size_t n) {
        if (left() < n)
            return false;
        pos += n;
        return true;
    }
    bool u16(uint16_t *v) {
        if (left() < 2)
            return false;
        *v = uint16_t(data[pos] | data[pos + 1] << 8);
        pos += 2;
        return true;
    }
    bool i16(int16_t *v) {
        uint16_t u;
        if (!u16(&u))
            return false;
        *v = int16_t(u);
        return true;
    }
    bool u32(uint32_t *v) {
        if (left() < 4)
            return false;
        *v = uint32_t(data[pos]) | uint32_t(data[pos + 1]) << 8 | uint32_t(data[pos + 2]) << 16 |
             uint32_t(data[pos + 3]) << 24;
        pos += 4;
        return true;
    }
    bool i32(int32_t *v) {
        uint32_t u;
        if (!u32(&u))
            return false;
        *v = int32_t(u);
        return true;
    }
    bool peek16(uint16_t *v) const {
        if (left() < 2)
            return false;
        *v = uint16_t(data[pos] | data[pos + 1] << 8);
        return true;
    }
    // To the next multiple of four from the start of the span.
    bool align4() { return skip((4 - pos % 4) % 4); }

    // A zero-terminated UTF-16 text, converted to Windows-1252.
    bool text(std::string *out) {
        out->clear();
        const size_t start = pos;
        for (;;) {
            uint16_t unit;
            if (!u16(&unit)) {
                pos = start;
                return false;
            }
            if (unit == 0)
                return true;
            uint32_t codePoint = unit;
            if (unit >= 0xD800 && unit < 0xDC00) {
                uint16_t low;
                if (peek16(&low) && low >= 0xDC00 && low < 0xE000) {
                    pos += 2;
                    codePoint = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                } else {
                    codePoint = 0xFFFD;
                }
            } else if (unit >= 0xDC00 && unit < 0xE000) {
                codePoint = 0xFFFD;
            }
            out->push_back(char(unicodeToCp1252(codePoint)));
        }
    }

    // A number (0xFFFF and a WORD), nothing (a zero WORD, number 0) or a text.
    bool nameOrNumber(uint16_t *numberOut, std::string *name) {
        uint16_t first;
        if (!peek16(&first))
            return false;
        *numberOut = 0;
        name->clear();
        if (first == 0)
            return skip(2);
        if (first == 0xFFFF) {
            if (left() < 4)
                return false;
            pos += 2;
            return u16(numberOut);
        }
        return text(name);
    }
};

// Smallest header: sizes, numbered type and name, and the fixed fields after them.
const size_t MinimumEntryHeader = 8 + 4 + 4 + 16;

bool readEntry(ResourceBytes image, size_t at, ResourceEntry *entry, size_t *next,
               std::string *why) {
    Cursor c{image.data + at, image.size - at};
    const std::string where = " at offset " + number(at);
    uint32_t dataSize, headerSize;
    if (!c.u32(&dataSize) || !c.u32(&headerSize))
        return fail(why, "truncated resource header" + where);
    if (headerSize < MinimumEntryHeader || headerSize > c.size)
        return fail(why, "resource header size " + number(headerSize) + " is invalid" + where);
    if (dataSize > c.size - headerSize)
        return fail(why,
                    "resource data of " + number(dataSize) + " bytes runs past the end" + where);
    Cursor h{c.data, headerSize, 8};
    std::string name;
    uint16_t firstWord = 0;
    if (!h.peek16(&firstWord) || !h.nameOrNumber(&entry->type, &name))
        return fail(why, "unreadable resource type" + where);
    entry->typeIsNamed = firstWord != 0xFFFF;
    if (!h.peek16(&firstWord) || !h.nameOrNumber(&entry->id, &name))
        return fail(why, "unreadable resource name" + where);
    entry->idIsNamed = firstWord != 0xFFFF;
    uint32_t dataVersion, version, characteristics;
    uint16_t memoryFlags;
    if (!h.align4() || !h.u32(&dataVersion) || !h.u16(&memoryFlags) || !h.u16(&entry->language) ||
        !h.u32(&version) || !h.u32(&characteristics))
        return fail(why, "resource header too short for its names" + where);
    entry->data = {c.data + headerSize, dataSize};
    const size_t end = at + headerSize + dataSize;
    const size_t padded = end + (4 - end % 4) % 4;
    *next = padded < image.size ? padded : image.size;
    return true;
}

bool checkImage(ResourceBytes image, std::string *why) {
    if (!image.data && image.size)
        return fail(why, "resource image without data");
    return true;
}

} // namespace

bool listResources(ResourceBytes image, std::vector<ResourceEntry> *out, std::string *why) {
    out->clear();
    if (!checkImage(image, why))
        return false;
    size_t at = 0;
    while (at < image.size) {
        ResourceEntry entry;
        size_t next;
        if (!readEntry(image, at, &entry, &next, why)) {
            out->clear();
            return false;
        }
        out->push_back(entry);
        at = next;
    }
    return true;
}

namespace {

// The first entry of that type and number in the language, or with anyLanguage the first in
// 0x0C0A and failing that the first in any language.
bool find(ResourceBytes image, uint16_t type, uint16_t id, bool anyLanguage, uint16_t language,
          ResourceBytes *out, std::string *why) {
    std::vector<ResourceEntry> entries;
    if (!listResources(image, &entries, why))
        return false;
    const ResourceEntry *fallback = nullptr;
    for (const ResourceEntry &e : entries) {
        if (e.typeIsNamed || e.idIsNamed || e.type != type || e.id != id)
            continue;
        if (e.language == language) {
            *out = e.data;
            return true;
        }
        if (anyLanguage && !fallback)
            fallback = &e;
    }
    if (fallback) {
        *out = fallback->data;
        return true;
    }
    return fail(why, "no resource of type " + number(type) + " and number " + number(id));
}

} // namespace

bool findResource(ResourceBytes image, uint16_t type, uint16_t id, ResourceBytes *out,
                  std::string *why) {
    return find(image, type, id, true, ResourceLanguageSpanish, out, why);
}

bool findResourceInLanguage(ResourceBytes image, uint16_t type, uint16_t id, uint16_t language,
                            ResourceBytes *out, std::string *why) {
    return find(image, type, id, false, language, out, why);
}

bool decodeDialog(ResourceBytes bytes, DialogTemplate *out, std::string *why) {
    Cursor c{bytes.data, bytes.data ? bytes.size : 0};
    uint16_t version, signature;
    if (c.left() >= 4 && c.u16(&version) && c.u16(&signature) && version == 1 &&
        signature == 0xFFFF)
        return fail(why, "extended dialog templates (DLGTEMPLATEEX) are not supported");
    c.pos = 0;
    DialogTemplate d;
    uint16_t nrItems;
    if (!c.u32(&d.style) || !c.u32(&d.exStyle) || !c.u16(&nrItems) || !c.i16(&d.x) ||
        !c.i16(&d.y) || !c.i16(&d.cx) || !c.i16(&d.cy))
        return fail(why, "truncated dialog header");
    if (!c.nameOrNumber(&d.menuId, &d.menuName))
        return fail(why, "truncated dialog menu");
    uint16_t classNumber;
    if (!c.nameOrNumber(&classNumber, &d.className))
        return fail(why, "truncated dialog class");
    if (classNumber)
        d.className = "#" + number(classNumber);
    if (!c.text(&d.title))
        return fail(why, "truncated dialog title");
    d.pointSize = 0;
    const uint32_t DsSetFont = 0x40;
    if (d.style & DsSetFont) {
        if (!c.u16(&d.pointSize) || !c.text(&d.faceName))
            return fail(why, "truncated dialog font");
    }
    for (uint16_t i = 0; i < nrItems; ++i) {
        const std::string which = "dialog item " + number(i);
        DialogItemTemplate item;
        if (!c.align4() || !c.u32(&item.style) || !c.u32(&item.exStyle) || !c.i16(&item.x) ||
            !c.i16(&item.y) || !c.i16(&item.cx) || !c.i16(&item.cy) || !c.u16(&item.id))
            return fail(why, "truncated " + which);
        if (!c.nameOrNumber(&item.classAtom, &item.className))
            return fail(why, "truncated class of " + which);
        if (!c.nameOrNumber(&item.captionId, &item.caption))
            return fail(why, "truncated caption of " + which);
        uint16_t nrExtra;
        if (!c.u16(&nrExtra) || !c.skip(nrExtra))
            return fail(why, "truncated creation data of " + which);
        d.items.push_back(item);
    }
    *out = std::move(d);
    return true;
}

namespace {

const int MaximumMenuDepth = 8;

bool decodeMenuLevel(Cursor &c, int depth, std::vector<MenuItemTemplate> *level, std::string *why) {
    if (depth > MaximumMenuDepth)
        return fail(why, "menu nested deeper than " + number(MaximumMenuDepth) + " levels");
    for (;;) {
        MenuItemTemplate item;
        item.id = 0;
        if (!c.u16(&item.flags))
            return fail(why, "menu ends without its closing item");
        if (!(item.flags & MenuItemPopup) && !c.u16(&item.id))
            return fail(why, "truncated menu item");
        if (!c.text(&item.text))
            return fail(why, "truncated menu item text");
        if ((item.flags & MenuItemPopup) && !decodeMenuLevel(c, depth + 1, &item.children, why))
            return false;
        const bool last = item.flags & MenuItemEnd;
        level->push_back(std::move(item));
        if (last)
            return true;
    }
}

} // namespace

bool decodeMenu(ResourceBytes bytes, std::vector<MenuItemTemplate> *topLevel, std::string *why) {
    Cursor c{bytes.data, bytes.data ? bytes.size : 0};
    uint16_t version, headerSize;
    if (!c.u16(&version) || !c.u16(&headerSize))
        return fail(why, "truncated menu header");
    if (version == 1)
        return fail(why, "extended menu templates (MENUEX) are not supported");
    if (version != 0)
        return fail(why, "unknown menu template version " + number(version));
    if (!c.skip(headerSize))
        return fail(why, "menu header runs past the end");
    std::vector<MenuItemTemplate> items;
    if (!decodeMenuLevel(c, 1, &items, why))
        return false;
    *topLevel = std::move(items);
    return true;
}

bool findString(ResourceBytes image, uint16_t id, std::string *out, std::string *why) {
    ResourceBytes block;
    if (!findResource(image, ResourceTypeString, uint16_t((id >> 4) + 1), &block, why))
        return false;
    Cursor c{block.data, block.size};
    for (int i = 0; i < 16; ++i) {
        uint16_t length;
        if (!c.u16(&length) || c.left() / 2 < length)
            return fail(why, "truncated string block " + number((id >> 4) + 1));
        if (i == (id & 15)) {
            if (length == 0)
                return fail(why, "no string " + number(id));
            std::string text;
            for (uint16_t k = 0; k < length; ++k) {
                uint16_t unit = 0;
                c.u16(&unit);
                uint32_t codePoint = unit;
                if (unit >= 0xD800 && unit < 0xDC00 && k + 1 < length) {
                    uint16_t low = 0;
                    c.peek16(&low);
                    if (low >= 0xDC00 && low < 0xE000) {
                        c.pos += 2;
                        ++k;
                        codePoint = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                    } else {
                        codePoint = 0xFFFD;
                    }
                } else if (unit >= 0xD800 && unit < 0xE000) {
                    codePoint = 0xFFFD;
                }
                text.push_back(char(unicodeToCp1252(codePoint)));
            }
            *out = std::move(text);
            return true;
        }
        c.pos += 2 * size_t(length);
    }
    return fail(why, "no string " + number(id));
}

namespace {

const int64_t MaximumDibSide = 16384;

// The colour bits of a DIB, and for an icon the AND mask after them (the height field then
// counts both).
bool decodeBits(ResourceBytes bytes, bool icon, DecodedDib *dib, std::vector<uint8_t> *mask,
                std::string *why) {
    Cursor c{bytes.data, bytes.data ? bytes.size : 0};
    DecodedDib d;
    uint32_t biSize;
    if (!c.u32(&biSize))
        return fail(why, "truncated bitmap header");
    if (biSize == 12)
        return fail(why, "bitmaps with the 12-byte core header are not supported");
    if (biSize < 40)
        return fail(why, "bitmap header size " + number(biSize) + " is too small");
    if (biSize > c.size)
        return fail(why, "truncated bitmap header");
    int32_t width, height;
    uint32_t sizeImage, xPels, yPels, nrUsed, nrImportant;
    c.i32(&width);
    c.i32(&height);
    c.u16(&d.planes);
    c.u16(&d.bitCount);
    c.u32(&d.compression);
    c.u32(&sizeImage);
    c.u32(&xPels);
    c.u32(&yPels);
    c.u32(&nrUsed);
    c.u32(&nrImportant);
    d.headerSize = biSize;
    int64_t rows = height;
    d.bottomUp = true;
    if (icon) {
        if (rows <= 0 || rows % 2)
            return fail(why, "icon height " + std::to_string(height) + " is not twice the image");
        rows /= 2;
    } else if (rows < 0) {
        d.bottomUp = false;
        rows = -rows;
    }
    if (width <= 0 || width > MaximumDibSide)
        return fail(why, "bitmap width " + std::to_string(width) + " is out of range");
    if (rows == 0 || rows > MaximumDibSide)
        return fail(why, "bitmap height " + std::to_string(height) + " is out of range");
    if (d.planes != 1)
        return fail(why, "bitmap with " + number(d.planes) + " planes");
    if (d.bitCount != 1 && d.bitCount != 4)
        return fail(why, number(d.bitCount) + " bits per pixel are not supported");
    if (d.compression != 0)
        return fail(why, "compressed bitmaps are not supported");
    const uint32_t maxColours = 1u << d.bitCount;
    const uint32_t nrColours = nrUsed ? nrUsed : maxColours;
    if (nrColours > maxColours)
        return fail(why, "palette of " + number(nrUsed) + " colours for " + number(d.bitCount) +
                             " bits per pixel");
    c.pos = biSize;
    if (c.left() / 4 < nrColours)
        return fail(why, "truncated bitmap palette");
    for (uint32_t i = 0; i < 16; ++i)
        d.palette[i] = 0;
    for (uint32_t i = 0; i < nrColours; ++i) {
        const uint8_t *q = c.data + c.pos + 4 * i;
        d.palette[i] = uint32_t(q[2]) << 16 | uint32_t(q[1]) << 8 | q[0];
    }
    c.pos += 4 * nrColours;
    const uint64_t stride = (uint64_t(width) * d.bitCount + 31) / 32 * 4;
    if (c.left() / stride < uint64_t(rows))
        return fail(why, "truncated bitmap pixels");
    const size_t bitsAt = c.pos;
    const uint64_t maskStride = (uint64_t(width) + 31) / 32 * 4;
    const size_t maskAt = bitsAt + size_t(stride * rows);
    if (icon && (c.size - maskAt) / maskStride < uint64_t(rows))
        return fail(why, "truncated icon mask");
    d.width = width;
    d.height = int(rows);
    const size_t nrPixels = size_t(width) * size_t(rows);
    d.indices.resize(nrPixels);
    d.pixels.resize(nrPixels);
    if (mask)
        mask->assign(icon ? nrPixels : 0, 0);
    for (int64_t r = 0; r < rows; ++r) {
        const int64_t stored = d.bottomUp ? rows - 1 - r : r;
        const uint8_t *row = c.data + bitsAt + size_t(stored * stride);
        const uint8_t *maskRow = c.data + maskAt + size_t(stored * maskStride);
        for (int32_t x = 0; x < width; ++x) {
            uint8_t index;
            if (d.bitCount == 4)
                index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
            else
                index = (row[x / 8] >> (7 - x % 8)) & 1;
            const size_t at = size_t(r) * size_t(width) + size_t(x);
            d.indices[at] = index;
            d.pixels[at] = d.palette[index];
            if (icon && mask)
                (*mask)[at] = (maskRow[x / 8] >> (7 - x % 8)) & 1;
        }
    }
    *dib = std::move(d);
    return true;
}

} // namespace

bool decodeDib(ResourceBytes bytes, DecodedDib *out, std::string *why) {
    return decodeBits(bytes, false, out, nullptr, why);
}

bool decodeIconImage(ResourceBytes bytes, DecodedIcon *out, std::string *why) {
    static const uint8_t pngSignature[4] = {0x89, 'P', 'N', 'G'};
    if (bytes.data && bytes.size >= 4 && memcmp(bytes.data, pngSignature, 4) == 0)
        return fail(why, "PNG icon images are not supported");
    DecodedDib dib;
    std::vector<uint8_t> mask;
    if (!decodeBits(bytes, true, &dib, &mask, why))
        return false;
    out->width = dib.width;
    out->height = dib.height;
    out->pixels = std::move(dib.pixels);
    out->transparent = std::move(mask);
    for (int i = 0; i < 16; ++i)
        out->palette[i] = dib.palette[i];
    out->bitCount = dib.bitCount;
    return true;
}

namespace {

bool decodeGroup(ResourceBytes image, uint16_t groupId, ResourceBytes group,
                 std::vector<DecodedIcon> *out, std::string *why) {
    Cursor c{group.data, group.size};
    uint16_t reserved, type, nrImages;
    if (!c.u16(&reserved) || !c.u16(&type) || !c.u16(&nrImages))
        return fail(why, "truncated icon group " + number(groupId));
    if (reserved != 0 || type != 1)
        return fail(why, "resource " + number(groupId) + " is not an icon group");
    if (nrImages == 0)
        return fail(why, "icon group " + number(groupId) + " holds no images");
    std::vector<DecodedIcon> icons;
    for (uint16_t i = 0; i < nrImages; ++i) {
        uint16_t planes, bitCount, imageId;
        uint32_t nrBytes;
        if (!c.skip(4) || !c.u16(&planes) || !c.u16(&bitCount) || !c.u32(&nrBytes) ||
            !c.u16(&imageId))
            return fail(why, "truncated icon group " + number(groupId));
        ResourceBytes bytes;
        DecodedIcon icon;
        std::string reason;
        if (!findResource(image, ResourceTypeIcon, imageId, &bytes, &reason) ||
            !decodeIconImage(bytes, &icon, &reason))
            return fail(why,
                        "icon " + number(imageId) + " of group " + number(groupId) + ": " + reason);
        icons.push_back(std::move(icon));
    }
    *out = std::move(icons);
    return true;
}

} // namespace

bool decodeIconGroup(ResourceBytes image, uint16_t groupId, std::vector<DecodedIcon> *out,
                     std::string *why) {
    ResourceBytes group;
    return findResource(image, ResourceTypeGroupIcon, groupId, &group, why) &&
           decodeGroup(image, groupId, group, out, why);
}

bool decodeIconGroupInLanguage(ResourceBytes image, uint16_t groupId, uint16_t language,
                               std::vector<DecodedIcon> *out, std::string *why) {
    ResourceBytes group;
    return findResourceInLanguage(image, ResourceTypeGroupIcon, groupId, language, &group, why) &&
           decodeGroup(image, groupId, group, out, why);
}
