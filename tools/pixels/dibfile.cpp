#include "tools/pixels/dibfile.h"

#include <stdio.h>

#include <vector>

namespace {

const uint32_t standardPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

void put16(std::vector<uint8_t> &out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<uint8_t> &out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

int strideOf(int width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

// BITMAPINFOHEADER, palette and 4-bit rows bottom-up; for an icon the height field counts
// the AND mask too and the mask rows follow.
std::vector<uint8_t> dibOf(const Canvas &c, const uint32_t *palette, const Mask *mask) {
    const int stride = strideOf(c.width, 4), maskStride = strideOf(c.width, 1);
    const uint32_t imageSize = stride * c.height + (mask ? maskStride * c.height : 0);
    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, c.width);
    put32(out, mask ? c.height * 2 : c.height);
    put16(out, 1);
    put16(out, 4);
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (int i = 0; i < 16; ++i) {
        out.push_back(palette[i] & 0xFF);
        out.push_back((palette[i] >> 8) & 0xFF);
        out.push_back((palette[i] >> 16) & 0xFF);
        out.push_back(0);
    }
    for (int y = c.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < c.width; ++x)
            row[x / 2] |= (c.at(x, y) & 0x0F) << (x % 2 ? 0 : 4);
        out.insert(out.end(), row.begin(), row.end());
    }
    if (mask) {
        for (int y = c.height - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskStride, 0);
            for (int x = 0; x < c.width; ++x)
                if (mask->at(x, y))
                    row[x / 8] |= 0x80 >> (x % 8);
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

bool writeFile(const char *path, const std::vector<uint8_t> &bytes) {
    FILE *f = fopen(path, "wb");
    if (!f) {
        fprintf(stderr, "cannot write %s\n", path);
        return false;
    }
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

} // namespace

bool writeBmp(const char *path, const Canvas &canvas) {
    const std::vector<uint8_t> dib = dibOf(canvas, standardPalette, nullptr);
    std::vector<uint8_t> file;
    file.push_back('B');
    file.push_back('M');
    put32(file, 14 + dib.size());
    put32(file, 0);
    put32(file, 14 + 40 + 16 * 4);
    file.insert(file.end(), dib.begin(), dib.end());
    return writeFile(path, file);
}

bool writeIco(const char *path, const Canvas &canvas, const Mask &transparent) {
    uint32_t iconPalette[16];
    for (int i = 0; i < 16; ++i)
        iconPalette[i] = standardPalette[i];
    iconPalette[7] = standardPalette[8];
    iconPalette[8] = standardPalette[7];
    const std::vector<uint8_t> dib = dibOf(canvas, iconPalette, &transparent);
    std::vector<uint8_t> file;
    put16(file, 0);
    put16(file, 1); // icon
    put16(file, 1); // one image
    file.push_back(canvas.width);
    file.push_back(canvas.height);
    file.push_back(16); // colours
    file.push_back(0);
    put16(file, 1); // planes
    put16(file, 4); // bits per pixel
    put32(file, dib.size());
    put32(file, 6 + 16);
    file.insert(file.end(), dib.begin(), dib.end());
    return writeFile(path, file);
}
