// The desktop icons: icon resources scaled to the theme's sizes and written as RGBA PNG files.
#include <gtest/gtest.h>

#include <stdio.h>
#include <unistd.h>
#include <zlib.h>

#include <set>
#include <string>
#include <vector>

#include "platform/gdi/png.h"
#include "platform/resources/resfile.h"
#include "tools/icon-png/iconScale.h"

namespace {

// A 2 x 2 icon: red, green / blue, and a transparent corner.
DecodedIcon quarters() {
    DecodedIcon icon;
    icon.width = 2;
    icon.height = 2;
    icon.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    icon.transparent = {0, 0, 0, 1};
    return icon;
}

TEST(IconScale, EnlargesByWholePixelsAndKeepsTheMaskAsAlpha) {
    std::vector<uint32_t> out = scaledIconPixels(quarters(), 4, 4);
    ASSERT_EQ(out.size(), 16u);
    const uint32_t want[16] = {0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0xFF00FF00, //
                               0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0xFF00FF00, //
                               0xFF0000FF, 0xFF0000FF, 0x00000000, 0x00000000, //
                               0xFF0000FF, 0xFF0000FF, 0x00000000, 0x00000000};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(out[i], want[i]) << "pixel " << i;
    }
}

TEST(IconScale, EveryColumnAndRowOfTheSourceSurvivesAnUnevenEnlargement) {
    // 32 to 48: some source pixels become two target pixels, some one, none vanish.
    DecodedIcon icon;
    icon.width = icon.height = 32;
    icon.transparent.assign(32 * 32, 0);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            icon.pixels.push_back(static_cast<uint32_t>(y << 8 | x));
        }
    }
    std::vector<uint32_t> out = scaledIconPixels(icon, 48, 48);
    ASSERT_EQ(out.size(), 48u * 48u);
    std::set<uint32_t> columns, rows;
    for (int i = 0; i < 48; ++i) {
        columns.insert(out[i] & 0xFF);
        rows.insert((out[i * 48] >> 8) & 0xFF);
    }
    EXPECT_EQ(columns.size(), 32u);
    EXPECT_EQ(rows.size(), 32u);
    EXPECT_EQ(out[0], 0xFF000000u);
    EXPECT_EQ(out[48 * 48 - 1], 0xFF001F1Fu);
}

TEST(IconScale, NothingForEmptySizes) {
    EXPECT_TRUE(scaledIconPixels(quarters(), 0, 4).empty());
    EXPECT_TRUE(scaledIconPixels(DecodedIcon(), 4, 4).empty());
}

uint32_t bigEndian(const std::vector<unsigned char> &bytes, size_t at) {
    return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 |
           uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

TEST(PngRgba, WritesRowsWithTheirAlphaThatInflateBack) {
    const std::string path = testing::TempDir() + "quillmere_rgba_test.png";
    const uint32_t pixels[] = {0xFF102030, 0x00000000, 0x80FFFFFF,
                               0xFF010203, 0x7F405060, 0xFFABCDEF};
    ASSERT_TRUE(writePngRgba(path.c_str(), 3, 2, pixels));
    FILE *file = fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::vector<unsigned char> bytes;
    int c;
    while ((c = fgetc(file)) != EOF) {
        bytes.push_back(static_cast<unsigned char>(c));
    }
    fclose(file);
    unlink(path.c_str());

    ASSERT_GT(bytes.size(), 33u);
    EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "IHDR");
    EXPECT_EQ(bigEndian(bytes, 16), 3u);
    EXPECT_EQ(bigEndian(bytes, 20), 2u);
    EXPECT_EQ(bytes[24], 8);
    EXPECT_EQ(bytes[25], 6) << "colour type RGBA";
    const size_t idat = 33;
    ASSERT_EQ(std::string(bytes.begin() + idat + 4, bytes.begin() + idat + 8), "IDAT");
    const uint32_t length = bigEndian(bytes, idat);
    std::vector<unsigned char> rows(2 * (1 + 3 * 4));
    uLongf size = rows.size();
    ASSERT_EQ(uncompress(rows.data(), &size, bytes.data() + idat + 8, length), Z_OK);
    ASSERT_EQ(size, rows.size());
    const unsigned char want[] = {0,    0x10, 0x20, 0x30, 0xFF, 0,    0,    0,   0,
                                  0xFF, 0xFF, 0xFF, 0x80, 0,    1,    2,    3,   0xFF,
                                  0x40, 0x50, 0x60, 0x7F, 0xAB, 0xCD, 0xEF, 0xFF};
    for (size_t i = 0; i < sizeof want; ++i) {
        EXPECT_EQ(rows[i], want[i]) << "byte " << i;
    }
}

TEST(PngRgba, RefusesNothingToWrite) {
    const uint32_t pixel = 0;
    EXPECT_FALSE(writePngRgba("/nonexistent-dir/x.png", 1, 1, &pixel));
    EXPECT_FALSE(writePngRgba("unused.png", 0, 1, &pixel));
}

TEST(IconResources, BothGroupsDecodeAtTheirThemeSizes) {
    struct Case {
        uint16_t group;
        int size;
    } cases[] = {{107, 32}, {108, 16}};
    for (const Case &c : cases) {
        std::vector<DecodedIcon> images;
        std::string why;
        ASSERT_TRUE(decodeIconGroup(embeddedResourceImage(), c.group, &images, &why)) << why;
        ASSERT_FALSE(images.empty());
        EXPECT_EQ(images[0].width, c.size);
        EXPECT_EQ(images[0].height, c.size);
        std::vector<uint32_t> out = scaledIconPixels(images[0], c.size, c.size);
        int clear = 0;
        for (uint32_t p : out) {
            clear += (p >> 24) == 0;
        }
        EXPECT_GT(clear, 0) << "group " << c.group << " has a transparent background";
        EXPECT_LT(clear, c.size * c.size) << "group " << c.group << " shows something";
    }
}

} // namespace
