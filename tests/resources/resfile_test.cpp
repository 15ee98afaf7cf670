// The reader on hand-built and damaged input: what it finds, what it refuses and why.
#include "platform/resources/resfile.h"
#include "resources/resource.h"
#include "tests/resources/res_builder.h"

#include <gtest/gtest.h>

namespace {

ResourceBytes view(const Bytes &b) {
    return {b.data(), b.size()};
}

bool contains(const std::string &text, const std::string &part) {
    return text.find(part) != std::string::npos;
}

TEST(ResFile, FindsByTypeNumberAndLanguage) {
    Bytes image = emptyImage();
    addEntry(image, ResourceTypeBitmap, 7, 0x0409, {1});
    addEntry(image, ResourceTypeBitmap, 7, 0x0C0A, {2});
    addEntry(image, ResourceTypeBitmap, 8, 0x0409, {3});
    addEntry(image, ResourceTypeBitmap, 8, 0x0407, {4});
    addEntry(image, ResourceTypeMenu, 7, 0x0C0A, {5});
    struct Row {
        uint16_t type, id;
        bool found;
        uint8_t byte;
    };
    const Row rows[] = {
        {ResourceTypeBitmap, 7, true, 2}, // Spanish before the earlier English
        {ResourceTypeBitmap, 8, true, 3}, // no Spanish: the first in any language
        {ResourceTypeMenu, 7, true, 5},    {ResourceTypeDialog, 7, false, 0},
        {ResourceTypeBitmap, 9, false, 0},
    };
    for (const Row &row : rows) {
        ResourceBytes out;
        std::string why;
        ASSERT_EQ(findResource(view(image), row.type, row.id, &out, &why), row.found)
            << row.type << "/" << row.id;
        if (row.found) {
            ASSERT_EQ(out.size, 1u);
            EXPECT_EQ(out.data[0], row.byte);
        } else {
            EXPECT_TRUE(contains(why, "no resource")) << why;
        }
    }
    ResourceBytes out;
    ASSERT_TRUE(findResourceInLanguage(view(image), ResourceTypeBitmap, 8, 0x0407, &out));
    EXPECT_EQ(out.data[0], 4);
    EXPECT_FALSE(findResourceInLanguage(view(image), ResourceTypeBitmap, 8, 0x0C0A, &out));
}

TEST(ResFile, SkipsNamedEntriesAndReadsTheirHeaders) {
    // A named type and a named resource: readable, never matched by number.
    Bytes image = emptyImage();
    Bytes header;
    putText(header, "PNG");
    putText(header, "LOGO");
    pad4(header);
    put32(header, 0);
    put16(header, 0x1030);
    put16(header, 0x0C0A);
    put32(header, 0);
    put32(header, 0);
    put32(image, 4);
    put32(image, uint32_t(8 + header.size()));
    image.insert(image.end(), header.begin(), header.end());
    put32(image, 0xDEADBEEF);
    addEntry(image, ResourceTypeBitmap, 1, 0x0C0A, {9});
    std::vector<ResourceEntry> entries;
    std::string why;
    ASSERT_TRUE(listResources(view(image), &entries, &why)) << why;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries[1].typeIsNamed);
    EXPECT_TRUE(entries[1].idIsNamed);
    EXPECT_EQ(entries[1].data.size, 4u);
    ResourceBytes out;
    ASSERT_TRUE(findResource(view(image), ResourceTypeBitmap, 1, &out));
    EXPECT_EQ(out.data[0], 9);
}

TEST(ResFile, RefusesDamagedImages) {
    const Bytes good = [] {
        Bytes image = emptyImage();
        addEntry(image, ResourceTypeBitmap, 1, 0x0C0A, {1, 2, 3, 4, 5});
        return image;
    }();
    struct Row {
        const char *what;
        size_t offset;
        uint32_t value; // written as a DWORD at offset; offset past the end truncates there
        const char *reason;
    };
    const Row rows[] = {
        {"cut in the sizes", 36, 0xFFFFFFFF, "truncated resource header"},
        {"data too long", 32, 100, "runs past the end"},
        {"header too short", 36, 16, "header size"},
        {"header too long", 36, 4000, "header size"},
        {"unterminated type name", 40, 0x00410041, "unreadable resource"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        Bytes image = good;
        if (row.value == 0xFFFFFFFF) {
            image.resize(row.offset);
        } else {
            for (int i = 0; i < 4; ++i)
                image[row.offset + i] = uint8_t(row.value >> (8 * i));
        }
        if (std::string(row.what) == "unterminated type name") {
            // A text type running to the end of its header without a terminating zero.
            for (size_t i = 40; i < 64; ++i)
                image[i] = 0x41;
        }
        ResourceBytes out;
        std::string why;
        EXPECT_FALSE(findResource(view(image), ResourceTypeBitmap, 1, &out, &why));
        EXPECT_TRUE(contains(why, row.reason)) << why;
    }
    std::vector<ResourceEntry> entries;
    EXPECT_TRUE(listResources({nullptr, 0}, &entries));
    EXPECT_TRUE(entries.empty());
    std::string why;
    EXPECT_FALSE(listResources({nullptr, 10}, &entries, &why));
    EXPECT_FALSE(why.empty());
}

// Every proper prefix of a well-formed resource must be refused, and the whole accepted.
TEST(ResFile, RefusesEveryTruncationOfEachKind) {
    const ResourceBytes image = embeddedResourceImage();
    struct Row {
        uint16_t type, id;
    };
    const Row rows[] = {{ResourceTypeDialog, IDD_BOARD},
                        {ResourceTypeDialog, IDD_ABOUT},
                        {ResourceTypeMenu, IDR_MAINMENU},
                        {ResourceTypeBitmap, IDB_PRESENT},
                        {ResourceTypeBitmap, IDB_LEVER_LOW},
                        {ResourceTypeString, 7},
                        {ResourceTypeIcon, 1}};
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.type) + "/" + std::to_string(row.id));
        ResourceBytes whole;
        ASSERT_TRUE(findResource(image, row.type, row.id, &whole));
        for (size_t n = 0; n <= whole.size; ++n) {
            const Bytes prefix(whole.data, whole.data + n); // exactly n bytes on the heap
            const ResourceBytes part = view(prefix);
            std::string why;
            bool ok = false;
            switch (row.type) {
            case ResourceTypeDialog: {
                DialogTemplate d;
                ok = decodeDialog(part, &d, &why);
                break;
            }
            case ResourceTypeMenu: {
                std::vector<MenuItemTemplate> m;
                ok = decodeMenu(part, &m, &why);
                break;
            }
            case ResourceTypeBitmap: {
                DecodedDib d;
                ok = decodeDib(part, &d, &why);
                break;
            }
            case ResourceTypeIcon: {
                DecodedIcon icon;
                ok = decodeIconImage(part, &icon, &why);
                break;
            }
            case ResourceTypeString: {
                Bytes one = emptyImage();
                addEntry(one, ResourceTypeString, 7, 0x0C0A, prefix);
                std::string text;
                ok = findString(view(one), IDS_WINDOW_CLASS, &text, &why);
                // String 109 is followed by two empty ones, which a cut may lose.
                EXPECT_EQ(ok, n + 4 >= whole.size) << "prefix of " << n << " bytes: " << why;
                if (ok) {
                    EXPECT_EQ(text, "QUILLMERE");
                }
                continue;
            }
            }
            EXPECT_EQ(ok, n == whole.size) << "prefix of " << n << " bytes";
            if (!ok) {
                EXPECT_FALSE(why.empty());
            }
        }
    }
}

Bytes dialogHeader(uint32_t style, uint16_t nrItems) {
    Bytes d;
    put32(d, style);
    put32(d, 0);
    put16(d, nrItems);
    for (int i = 0; i < 4; ++i)
        put16(d, 10);
    return d;
}

TEST(ResFile, DialogVariants) {
    // Named menu and class, no font, an item with a named class, a numbered caption and
    // creation data.
    Bytes d = dialogHeader(0x80C80000, 1);
    putText(d, "MAINMENU");
    putText(d, "MyDialog");
    putText(d, "Title");
    pad4(d);
    put32(d, 0x50000000);
    put32(d, 0x200);
    put16(d, uint16_t(-5));
    put16(d, 2);
    put16(d, 3);
    put16(d, 4);
    put16(d, 77);
    putText(d, "SysLink");
    put16(d, 0xFFFF);
    put16(d, 300);
    put16(d, 4);
    put32(d, 0x01020304);
    DialogTemplate t;
    std::string why;
    ASSERT_TRUE(decodeDialog(view(d), &t, &why)) << why;
    EXPECT_EQ(t.menuId, 0);
    EXPECT_EQ(t.menuName, "MAINMENU");
    EXPECT_EQ(t.className, "MyDialog");
    EXPECT_EQ(t.title, "Title");
    EXPECT_EQ(t.pointSize, 0);
    EXPECT_EQ(t.faceName, "");
    ASSERT_EQ(t.items.size(), 1u);
    EXPECT_EQ(t.items[0].x, -5);
    EXPECT_EQ(t.items[0].exStyle, 0x200u);
    EXPECT_EQ(t.items[0].classAtom, 0);
    EXPECT_EQ(t.items[0].className, "SysLink");
    EXPECT_EQ(t.items[0].captionId, 300);
    EXPECT_EQ(t.items[0].caption, "");

    d.resize(d.size() - 2); // the creation data cut short
    EXPECT_FALSE(decodeDialog(view(d), &t, &why));
    EXPECT_TRUE(contains(why, "creation data")) << why;

    Bytes ex;
    put16(ex, 1);
    put16(ex, 0xFFFF);
    put32(ex, 0);
    put32(ex, 0);
    put32(ex, 0x80C800C0);
    EXPECT_FALSE(decodeDialog(view(ex), &t, &why));
    EXPECT_TRUE(contains(why, "DLGTEMPLATEEX")) << why;

    // More items announced than present.
    Bytes many = dialogHeader(0, 40);
    put16(many, 0);
    put16(many, 0);
    put16(many, 0);
    EXPECT_FALSE(decodeDialog(view(many), &t, &why));
    EXPECT_TRUE(contains(why, "dialog item 0")) << why;
}

TEST(ResFile, MenuVariants) {
    std::string why;
    std::vector<MenuItemTemplate> m;
    Bytes ex;
    put16(ex, 1);
    put16(ex, 4);
    put32(ex, 0);
    EXPECT_FALSE(decodeMenu(view(ex), &m, &why));
    EXPECT_TRUE(contains(why, "MENUEX")) << why;

    // Pop-ups nested nine deep are refused rather than followed without end.
    Bytes deep;
    put16(deep, 0);
    put16(deep, 0);
    for (int i = 0; i < 9; ++i) {
        put16(deep, MenuItemPopup | MenuItemEnd);
        putText(deep, "x");
    }
    put16(deep, MenuItemEnd);
    put16(deep, 1);
    putText(deep, "leaf");
    EXPECT_FALSE(decodeMenu(view(deep), &m, &why));
    EXPECT_TRUE(contains(why, "nested")) << why;

    // No closing item.
    Bytes open;
    put16(open, 0);
    put16(open, 0);
    put16(open, 0);
    put16(open, 5);
    putText(open, "one");
    EXPECT_FALSE(decodeMenu(view(open), &m, &why));
    EXPECT_TRUE(contains(why, "closing item")) << why;

    // A separator and a greyed item.
    Bytes plain;
    put16(plain, 0);
    put16(plain, 0);
    put16(plain, 0);
    put16(plain, 0);
    putText(plain, "");
    put16(plain, MenuItemGrayed | MenuItemEnd);
    put16(plain, 9);
    putText(plain, "&Grey");
    ASSERT_TRUE(decodeMenu(view(plain), &m, &why)) << why;
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].text, "");
    EXPECT_EQ(m[1].flags, MenuItemGrayed | MenuItemEnd);
    EXPECT_EQ(m[1].id, 9);
}

TEST(ResFile, StringConversion) {
    Bytes block;
    for (int i = 0; i < 16; ++i) {
        if (i == 1) {
            // "€ñ", a surrogate pair and an unpaired surrogate, and a character outside the set.
            const uint16_t units[] = {0x20AC, 0x00F1, 0xD83D, 0xDE00, 0xDC00, 0x4E2D};
            put16(block, 6);
            for (uint16_t u : units)
                put16(block, u);
        } else {
            put16(block, 0);
        }
    }
    Bytes image = emptyImage();
    addEntry(image, ResourceTypeString, 1, 0x0C0A, block);
    std::string text, why;
    ASSERT_TRUE(findString(view(image), 1, &text, &why)) << why;
    EXPECT_EQ(text, "\x80\xF1???");
    EXPECT_FALSE(findString(view(image), 2, &text, &why));
    EXPECT_TRUE(contains(why, "no string 2")) << why;
}

Bytes dib(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
          uint32_t nrColours, size_t nrPixelBytes, uint32_t headerSize = 40) {
    Bytes d;
    put32(d, headerSize);
    put32(d, uint32_t(width));
    put32(d, uint32_t(height));
    put16(d, 1);
    put16(d, bitCount);
    put32(d, compression);
    for (int i = 0; i < 3; ++i)
        put32(d, 0);
    put32(d, nrColours);
    put32(d, 0);
    d.resize(headerSize > 40 ? headerSize : 40, 0);
    for (uint32_t i = 0; i < (nrColours ? nrColours : 1u << bitCount); ++i)
        put32(d, 0x00010203 * (i + 1));
    d.resize(d.size() + nrPixelBytes, 0x12);
    return d;
}

TEST(ResFile, DibVariants) {
    struct Row {
        const char *what;
        Bytes data;
        bool ok;
        const char *reason;
    };
    const Row rows[] = {
        {"4-bit bottom-up", dib(3, 2, 4, 0, 0, 8), true, ""},
        {"4-bit top-down", dib(3, -2, 4, 0, 0, 8), true, ""},
        {"1-bit, two colours", dib(9, 1, 1, 0, 2, 4), true, ""},
        {"larger header", dib(1, 1, 4, 0, 16, 4, 124), true, ""},
        {"8 bits", dib(1, 1, 8, 0, 0, 4), false, "bits per pixel"},
        {"24 bits", dib(1, 1, 24, 0, 0, 4), false, "bits per pixel"},
        {"run-length", dib(1, 1, 4, 2, 0, 4), false, "compressed"},
        {"core header", dib(1, 1, 4, 0, 0, 4, 12), false, "core header"},
        {"palette too big", dib(1, 1, 4, 0, 17, 4), false, "palette"},
        {"no width", dib(0, 1, 4, 0, 0, 4), false, "width"},
        {"no height", dib(1, 0, 4, 0, 0, 4), false, "height"},
        {"huge", dib(100000, 1, 4, 0, 0, 4), false, "width"},
        {"most negative height", dib(1, INT32_MIN, 4, 0, 0, 4), false, "height"},
        {"pixels short", dib(3, 2, 4, 0, 0, 7), false, "truncated"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        DecodedDib d;
        std::string why;
        EXPECT_EQ(decodeDib(view(row.data), &d, &why), row.ok) << why;
        if (!row.ok) {
            EXPECT_TRUE(contains(why, row.reason)) << why;
        } else {
            EXPECT_EQ(d.pixels.size(), size_t(d.width) * d.height);
        }
    }
    // Row order: the first stored row is the bottom one unless the height is negative.
    for (int32_t height : {2, -2}) {
        Bytes data = dib(1, height, 4, 0, 0, 8);
        data[data.size() - 8] = 0x50; // first stored row, pixel 0 = colour 5
        data[data.size() - 4] = 0x30; // second stored row, pixel 0 = colour 3
        DecodedDib d;
        ASSERT_TRUE(decodeDib(view(data), &d));
        EXPECT_EQ(d.bottomUp, height > 0);
        EXPECT_EQ(d.indices[0], height > 0 ? 3 : 5);
        EXPECT_EQ(d.indices[1], height > 0 ? 5 : 3);
        EXPECT_EQ(d.pixels[0], 0x00010203u * (d.indices[0] + 1));
    }
}

TEST(ResFile, IconGroupFailures) {
    auto groupOf = [](uint16_t type, uint16_t nrImages, uint16_t imageId) {
        Bytes g;
        put16(g, 0);
        put16(g, type);
        put16(g, nrImages);
        for (uint16_t i = 0; i < nrImages; ++i) {
            g.insert(g.end(), {16, 16, 16, 0});
            put16(g, 1);
            put16(g, 4);
            put32(g, 296);
            put16(g, imageId);
        }
        return g;
    };
    Bytes icon = dib(16, 32, 4, 0, 0, 16 * 8 + 16 * 4);
    Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
    Bytes image = emptyImage();
    addEntry(image, ResourceTypeIcon, 1, 0x0C0A, icon);
    addEntry(image, ResourceTypeIcon, 2, 0x0C0A, png);
    addEntry(image, ResourceTypeGroupIcon, 10, 0x0C0A, groupOf(1, 1, 1));
    addEntry(image, ResourceTypeGroupIcon, 11, 0x0C0A, groupOf(1, 0, 1));
    addEntry(image, ResourceTypeGroupIcon, 12, 0x0C0A, groupOf(2, 1, 1));
    addEntry(image, ResourceTypeGroupIcon, 13, 0x0C0A, groupOf(1, 1, 3));
    addEntry(image, ResourceTypeGroupIcon, 14, 0x0C0A, groupOf(1, 1, 2));
    Bytes cut = groupOf(1, 2, 1);
    cut.resize(cut.size() - 1);
    addEntry(image, ResourceTypeGroupIcon, 15, 0x0C0A, cut);
    struct Row {
        uint16_t group;
        const char *reason;
    };
    const Row rows[] = {{10, ""},
                        {11, "holds no images"},
                        {12, "not an icon group"},
                        {13, "icon 3 of group 13: no resource"},
                        {14, "PNG"},
                        {15, "truncated icon group"},
                        {16, "no resource"}};
    for (const Row &row : rows) {
        std::vector<DecodedIcon> icons;
        std::string why;
        const bool ok = decodeIconGroup(view(image), row.group, &icons, &why);
        EXPECT_EQ(ok, *row.reason == 0) << row.group << ": " << why;
        if (ok) {
            ASSERT_EQ(icons.size(), 1u);
            EXPECT_EQ(icons[0].width, 16);
            EXPECT_EQ(icons[0].height, 16);
            EXPECT_EQ(icons[0].transparent.size(), 256u);
        } else {
            EXPECT_TRUE(contains(why, row.reason)) << why;
        }
    }
    // An odd height cannot hold colours and mask.
    Bytes odd = dib(16, 31, 4, 0, 0, 16 * 8 + 16 * 4);
    DecodedIcon one;
    std::string why;
    EXPECT_FALSE(decodeIconImage(view(odd), &one, &why));
    EXPECT_TRUE(contains(why, "twice")) << why;
}

} // namespace
