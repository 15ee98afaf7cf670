#include "platform/gdi/png.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <vector>
#include <zlib.h>

namespace {

void putBigEndian(std::vector<unsigned char> &out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

void putChunk(std::vector<unsigned char> &out, const char *type, const unsigned char *data,
              size_t size) {
    putBigEndian(out, static_cast<uint32_t>(size));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(size + 4));
    putBigEndian(out, static_cast<uint32_t>(crc));
}

} // namespace

namespace {

// Compresses filtered rows and writes them as a PNG of the given colour type (2 RGB, 6 RGBA).
bool writeRows(const char *path, int width, int height, unsigned char colourType,
               const std::vector<unsigned char> &raw) {
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK) {
        fprintf(stderr, "png: %s: compression failed\n", path);
        return false;
    }
    std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char header[13] = {};
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<unsigned char>(static_cast<uint32_t>(width) >> (24 - 8 * i));
        header[4 + i] = static_cast<unsigned char>(static_cast<uint32_t>(height) >> (24 - 8 * i));
    }
    header[8] = 8; // bits per channel
    header[9] = colourType;
    putChunk(file, "IHDR", header, sizeof header);
    putChunk(file, "IDAT", packed.data(), packedSize);
    putChunk(file, "IEND", nullptr, 0);
    FILE *out = fopen(path, "wb");
    if (out == nullptr) {
        fprintf(stderr, "png: cannot open %s for writing: %s\n", path, strerror(errno));
        return false;
    }
    const bool written = fwrite(file.data(), 1, file.size(), out) == file.size();
    const bool closed = fclose(out) == 0;
    if (!written || !closed) {
        fprintf(stderr, "png: cannot write %s: %s\n", path, strerror(errno));
        return false;
    }
    return true;
}

} // namespace

namespace {

// Filter byte "none" before each row, then red, green, blue (and alpha from the top byte).
bool writePixels(const char *path, int width, int height, const uint32_t *pixels, bool alpha) {
    if (width <= 0 || height <= 0 || pixels == nullptr) {
        fprintf(stderr, "png: %s: nothing to write (%d x %d)\n", path, width, height);
        return false;
    }
    const size_t channels = alpha ? 4 : 3;
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<size_t>(height) * (1 + channels * static_cast<size_t>(width)));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            raw.push_back(static_cast<unsigned char>(p >> 16));
            raw.push_back(static_cast<unsigned char>(p >> 8));
            raw.push_back(static_cast<unsigned char>(p));
            if (alpha)
                raw.push_back(static_cast<unsigned char>(p >> 24));
        }
    }
    return writeRows(path, width, height, alpha ? 6 : 2, raw);
}

} // namespace

bool writePng(const char *path, int width, int height, const uint32_t *pixels) {
    return writePixels(path, width, height, pixels, false);
}

bool writePngRgba(const char *path, int width, int height, const uint32_t *pixels) {
    return writePixels(path, width, height, pixels, true);
}
