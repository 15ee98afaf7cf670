// The compiled resource set, read back through the reader, against the program's tables.
#include "platform/resources/resfile.h"
#include "resources/resource.h"
#include "tests/support/resource_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

const uint16_t dialogIds[] = {IDD_ABOUT, IDD_BOARD, IDD_MESSAGE};

DialogTemplate loadDialog(uint16_t id) {
    ResourceBytes bytes;
    DialogTemplate d;
    std::string why;
    EXPECT_TRUE(findResource(embeddedResourceImage(), ResourceTypeDialog, id, &bytes, &why)) << why;
    EXPECT_TRUE(decodeDialog(bytes, &d, &why)) << why;
    return d;
}

// Every field of every template as the script states it.
TEST(ResourceSet, DialogTemplatesMatchTheScript) {
    for (uint16_t id : dialogIds) {
        SCOPED_TRACE("dialog " + std::to_string(id));
        const DialogTemplate d = loadDialog(id), want = scriptDialog(id);
        ASSERT_FALSE(want.items.empty()) << "no such dialog in the script";
        EXPECT_EQ(d.style, want.style);
        EXPECT_EQ(d.exStyle, 0u);
        EXPECT_EQ(d.x, want.x);
        EXPECT_EQ(d.y, want.y);
        EXPECT_EQ(d.cx, want.cx);
        EXPECT_EQ(d.cy, want.cy);
        EXPECT_EQ(d.menuId, want.menuId);
        EXPECT_EQ(d.menuName, "");
        EXPECT_EQ(d.className, "");
        EXPECT_EQ(d.title, want.title);
        EXPECT_EQ(d.pointSize, want.pointSize);
        EXPECT_EQ(d.faceName, want.faceName);
        ASSERT_EQ(d.items.size(), want.items.size());
        for (size_t i = 0; i < want.items.size(); ++i) {
            const DialogItemTemplate &got = d.items[i], &item = want.items[i];
            SCOPED_TRACE("item " + std::to_string(i) + ", control " + std::to_string(item.id));
            EXPECT_EQ(got.id, item.id);
            EXPECT_EQ(got.classAtom, item.classAtom);
            EXPECT_EQ(got.className, "");
            EXPECT_EQ(got.caption, item.caption);
            EXPECT_EQ(got.captionId, 0);
            EXPECT_EQ(got.style, item.style);
            EXPECT_EQ(got.exStyle, 0u);
            EXPECT_EQ(got.x, item.x);
            EXPECT_EQ(got.y, item.y);
            EXPECT_EQ(got.cx, item.cx);
            EXPECT_EQ(got.cy, item.cy);
        }
    }
}

TEST(ResourceSet, BoardSticksFormACentredPyramid) {
    const DialogTemplate d = loadDialog(IDD_BOARD);
    std::vector<std::vector<const DialogItemTemplate *>> rows(4);
    for (const DialogItemTemplate &item : d.items)
        if (item.id >= 1000 && item.id <= 1016 && item.id != 1009) {
            const int row = (item.y - 20) / 35;
            ASSERT_EQ(item.y, 20 + 35 * row) << item.id;
            rows[row].push_back(&item);
        }
    for (int r = 0; r < 4; ++r) {
        ASSERT_EQ(rows[r].size(), size_t(2 * r + 1)) << "row " << r;
        int left = 1000, right = 0;
        for (const DialogItemTemplate *item : rows[r]) {
            left = std::min<int>(left, item->x);
            right = std::max<int>(right, item->x);
        }
        EXPECT_EQ(left + right, 2 * 116) << "row " << r << " is not centred on x 116";
        EXPECT_EQ(right - left, 21 * 2 * r) << "row " << r;
    }
}

void expectSameMenu(const std::vector<MenuItemTemplate> &got,
                    const std::vector<MenuItemTemplate> &want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(want[i].text);
        EXPECT_EQ(got[i].text, want[i].text);
        EXPECT_EQ(got[i].flags, want[i].flags);
        EXPECT_EQ(got[i].id, want[i].id);
        expectSameMenu(got[i].children, want[i].children);
    }
}

// As the script states it, with the flags of a compiled template.
TEST(ResourceSet, MenuHasTheTwoMenusInOrder) {
    ResourceBytes bytes;
    std::vector<MenuItemTemplate> menu;
    std::string why;
    ASSERT_TRUE(findResource(embeddedResourceImage(), ResourceTypeMenu, IDR_MAINMENU, &bytes, &why))
        << why;
    ASSERT_TRUE(decodeMenu(bytes, &menu, &why)) << why;
    expectSameMenu(menu, scriptMenu(IDR_MAINMENU));
    ASSERT_EQ(menu.size(), 2u);
    ASSERT_EQ(menu[1].children.size(), 3u);
    EXPECT_EQ(menu[0].flags, MenuItemPopup);
    EXPECT_EQ(menu[1].children[2].flags, MenuItemEnd);
    EXPECT_EQ(menu[1].children[1].text.find('&'), std::string::npos) << "Manejo is underlined";
}

TEST(ResourceSet, StringTableHoldsTheTwoStrings) {
    struct Row {
        uint16_t id;
        const char *text;
    };
    const Row rows[] = {{IDS_APP_TITLE, "quillmere"}, {IDS_WINDOW_CLASS, "QUILLMERE"}};
    for (const Row &row : rows) {
        std::string text, why;
        EXPECT_TRUE(findString(embeddedResourceImage(), row.id, &text, &why)) << why;
        EXPECT_EQ(text, row.text);
    }
    // Neighbours in the same block, and a block that does not exist.
    for (uint16_t absent : {102, 104, 108, 110, 1}) {
        std::string text;
        EXPECT_FALSE(findString(embeddedResourceImage(), absent, &text)) << absent;
    }
}

const uint32_t standardPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
const uint8_t Black = 0, Maroon = 1, Green = 2, Purple = 5, Silver = 7, Red = 9, Yellow = 11,
              Blue = 12, Aqua = 14, White = 15;

struct BitmapRow {
    uint16_t id;
    int width, height;
    uint8_t background;           // the colour of the top left corner
    std::vector<uint8_t> colours; // colours the picture must show
};

TEST(ResourceSet, BitmapsHaveTheirSizesDepthAndPalette) {
    const std::vector<BitmapRow> rows = {
        {IDB_PRESENT, 12, 48, Silver, {Green, Black}},
        {IDB_SELECTED, 12, 48, Silver, {Red, Black}},
        {IDB_REMOVED, 12, 48, Silver, {}},
        {IDB_LEVER_HIGH, 48, 48, Silver, {Black, Red}},
        {IDB_LEVER_LOW, 48, 48, Silver, {Black, Red}},
        {IDB_LIGHTNING, 12, 48, Silver, {Red, Yellow}},
        {IDB_HOLES_FEW, 12, 48, Silver, {Red}},
        {IDB_HOLES_LARGE, 12, 48, Silver, {Red}},
        {IDB_HOLES_REMNANTS, 12, 48, Silver, {Red}},
        {IDB_GRID_COARSE, 12, 48, Silver, {Red}},
        {IDB_GRID_FINE, 12, 48, Silver, {Red}},
        {IDB_GRID_STRIPS, 12, 48, Silver, {Red}},
        {IDB_BURST_SMALL, 12, 48, Silver, {Red, Yellow}},
        {IDB_BURST_LARGE, 12, 48, Silver, {Red, Yellow, Blue}},
        {IDB_CURLED, 12, 48, Silver, {Red}},
        {IDB_FRAGMENTS_TWO, 12, 48, Silver, {Red}},
        {IDB_FRAGMENT_ONE, 12, 48, Silver, {Red}},
        {IDB_WISP, 48, 48, Silver, {Red, White}},
        {IDB_SPARKS, 12, 48, Silver, {Purple, Aqua, Blue}},
        {IDB_LOGO, 320, 240, White, {Black, Blue}},
    };
    std::set<uint16_t> seen;
    for (const BitmapRow &row : rows) {
        SCOPED_TRACE("bitmap " + std::to_string(row.id));
        seen.insert(row.id);
        ResourceBytes bytes;
        DecodedDib dib;
        std::string why;
        ASSERT_TRUE(findResource(embeddedResourceImage(), ResourceTypeBitmap, row.id, &bytes, &why))
            << why;
        ASSERT_TRUE(decodeDib(bytes, &dib, &why)) << why;
        EXPECT_EQ(dib.headerSize, 40u);
        EXPECT_EQ(dib.planes, 1);
        EXPECT_EQ(dib.bitCount, 4);
        EXPECT_EQ(dib.compression, 0u);
        EXPECT_TRUE(dib.bottomUp);
        EXPECT_EQ(dib.width, row.width);
        EXPECT_EQ(dib.height, row.height);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(dib.palette[i], standardPalette[i]) << "palette entry " << i;
        // The data is exactly header, 16 colours and rows padded to four bytes.
        const size_t stride = (row.width * 4 + 31) / 32 * 4;
        EXPECT_EQ(bytes.size, 40 + 64 + stride * row.height);
        ASSERT_EQ(dib.indices.size(), size_t(row.width * row.height));
        EXPECT_EQ(dib.indices[0], row.background);
        for (uint8_t colour : row.colours)
            EXPECT_NE(std::count(dib.indices.begin(), dib.indices.end(), colour), 0)
                << "no pixel of colour " << int(colour);
    }
    EXPECT_EQ(seen.size(), 20u);
}

TEST(ResourceSet, PlainAndWhitePictures) {
    auto indices = [](uint16_t id) {
        ResourceBytes bytes;
        DecodedDib dib;
        EXPECT_TRUE(findResource(embeddedResourceImage(), ResourceTypeBitmap, id, &bytes));
        EXPECT_TRUE(decodeDib(bytes, &dib));
        return dib;
    };
    const DecodedDib removed = indices(IDB_REMOVED);
    EXPECT_EQ(std::count(removed.indices.begin(), removed.indices.end(), Silver), 12 * 48);
    // The wisp frame: the left quarter silver or red, the rest white.
    const DecodedDib wisp = indices(IDB_WISP);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const uint8_t c = wisp.indices[y * 48 + x];
            if (x < 12)
                EXPECT_TRUE(c == Silver || c == Red) << x << "," << y;
            else
                EXPECT_EQ(c, White) << x << "," << y;
        }
}

TEST(ResourceSet, IconsArePyramidsWithTheIconPalette) {
    uint32_t iconPalette[16];
    std::copy(standardPalette, standardPalette + 16, iconPalette);
    std::swap(iconPalette[7], iconPalette[8]);
    struct Row {
        uint16_t group;
        uint16_t language;
        int size, nrRows;
    };
    const Row rows[] = {
        {IDI_LARGE, 0x0C0A, 32, 4}, {IDI_SMALL, 0x0C0A, 16, 3}, {IDI_LARGE, 0x0409, 32, 4}};
    for (const Row &row : rows) {
        SCOPED_TRACE("icon group " + std::to_string(row.group) + " language " +
                     std::to_string(row.language));
        std::vector<DecodedIcon> icons;
        std::string why;
        ASSERT_TRUE(decodeIconGroupInLanguage(embeddedResourceImage(), row.group, row.language,
                                              &icons, &why))
            << why;
        ASSERT_EQ(icons.size(), 1u);
        // The group's directory entry describes its image: size, 16 colours, 1 plane, 4 bits.
        ResourceBytes group;
        ASSERT_TRUE(findResourceInLanguage(embeddedResourceImage(), ResourceTypeGroupIcon,
                                           row.group, row.language, &group));
        ASSERT_EQ(group.size, 6u + 14u);
        const uint8_t *entry = group.data + 6;
        EXPECT_EQ(entry[0], row.size);
        EXPECT_EQ(entry[1], row.size);
        EXPECT_EQ(entry[2], 16);
        EXPECT_EQ(entry[4] | entry[5] << 8, 1);
        EXPECT_EQ(entry[6] | entry[7] << 8, 4);
        const DecodedIcon &icon = icons[0];
        EXPECT_EQ(icon.width, row.size);
        EXPECT_EQ(icon.height, row.size);
        EXPECT_EQ(icon.bitCount, 4);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(icon.palette[i], iconPalette[i]) << "palette entry " << i;
        ASSERT_EQ(icon.pixels.size(), size_t(row.size * row.size));
        ASSERT_EQ(icon.transparent.size(), icon.pixels.size());
        // Opaque pixels are red sticks. Counting the sticks in each line of pixels, and
        // noting each change of count, gives the rows of the pyramid: 1, 3, 5 (and 7).
        std::vector<int> sticksPerRow;
        for (int y = 0; y < row.size; ++y) {
            int nrSticks = 0;
            for (int x = 0; x < row.size; ++x) {
                const size_t at = y * row.size + x;
                if (icon.transparent[at])
                    continue;
                const uint32_t c = icon.pixels[at];
                EXPECT_TRUE(c == standardPalette[Red] || c == standardPalette[Maroon])
                    << x << "," << y;
                if (x == 0 || icon.transparent[at - 1])
                    ++nrSticks;
            }
            if (nrSticks > 0 && (sticksPerRow.empty() || nrSticks != sticksPerRow.back()))
                sticksPerRow.push_back(nrSticks);
        }
        std::vector<int> want;
        for (int r = 0; r < row.nrRows; ++r)
            want.push_back(2 * r + 1);
        EXPECT_EQ(sticksPerRow, want);
        EXPECT_TRUE(icon.transparent[0]);
        EXPECT_TRUE(icon.transparent[row.size * row.size - 1]);
    }
    // The English copy is the same picture.
    std::vector<DecodedIcon> spanish, english;
    ASSERT_TRUE(decodeIconGroupInLanguage(embeddedResourceImage(), IDI_LARGE, 0x0C0A, &spanish));
    ASSERT_TRUE(decodeIconGroupInLanguage(embeddedResourceImage(), IDI_LARGE, 0x0409, &english));
    EXPECT_EQ(spanish[0].pixels, english[0].pixels);
    EXPECT_EQ(spanish[0].transparent, english[0].transparent);
}

TEST(ResourceSet, EverythingIsSpanishButTheEnglishIconCopy) {
    std::vector<ResourceEntry> entries;
    std::string why;
    ASSERT_TRUE(listResources(embeddedResourceImage(), &entries, &why)) << why;
    std::map<uint16_t, int> perType;
    int nrEnglish = 0;
    for (size_t i = 1; i < entries.size(); ++i) {
        const ResourceEntry &e = entries[i];
        EXPECT_FALSE(e.typeIsNamed);
        EXPECT_FALSE(e.idIsNamed);
        ++perType[e.type];
        if (e.language == 0x0409) {
            ++nrEnglish;
            EXPECT_TRUE(e.type == ResourceTypeIcon ||
                        (e.type == ResourceTypeGroupIcon && e.id == IDI_LARGE))
                << "type " << e.type << " id " << e.id;
        } else {
            EXPECT_EQ(e.language, 0x0C0A) << "type " << e.type << " id " << e.id;
        }
    }
    EXPECT_EQ(nrEnglish, 2); // the group and its one image
    EXPECT_EQ(perType[ResourceTypeDialog], 3);
    EXPECT_EQ(perType[ResourceTypeMenu], 1);
    EXPECT_EQ(perType[ResourceTypeString], 1);
    EXPECT_EQ(perType[ResourceTypeBitmap], 20);
    EXPECT_EQ(perType[ResourceTypeGroupIcon], 3);
    EXPECT_EQ(perType[ResourceTypeIcon], 3);
    EXPECT_EQ(entries.size(), 32u);
}

TEST(ResourceSet, TextsAreWindows1252) {
    const DialogTemplate board = loadDialog(IDD_BOARD);
    const std::string high = board.items.back().caption;
    ASSERT_EQ(high.size(), 8u);
    EXPECT_EQ(uint8_t(high[1]), 0xE1) << "the a with acute accent of \"m\xE1s alto\"";
    // In the compiled data the same letter is the UTF-16 unit U+00E1.
    ResourceBytes bytes;
    ASSERT_TRUE(findResource(embeddedResourceImage(), ResourceTypeDialog, IDD_BOARD, &bytes));
    const uint8_t m_acute_s[] = {'m', 0, 0xE1, 0, 's', 0};
    EXPECT_TRUE(std::search(bytes.data, bytes.data + bytes.size, m_acute_s, m_acute_s + 6) !=
                bytes.data + bytes.size);
    // Every other text of the set is plain ASCII.
    for (uint16_t id : dialogIds)
        for (const DialogItemTemplate &item : loadDialog(id).items)
            for (unsigned char c : item.caption) {
                if (item.caption != high) {
                    EXPECT_LT(c, 0x80) << item.caption;
                }
            }
}

} // namespace
