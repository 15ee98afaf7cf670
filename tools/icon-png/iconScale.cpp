#include "tools/icon-png/iconScale.h"

#include <stddef.h>

std::vector<uint32_t> scaledIconPixels(const DecodedIcon &icon, int width, int height) {
    std::vector<uint32_t> out;
    if (icon.width <= 0 || icon.height <= 0 || width <= 0 || height <= 0) {
        return out;
    }
    out.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const int sourceY = static_cast<int>((2LL * y + 1) * icon.height / (2LL * height));
        for (int x = 0; x < width; ++x) {
            const int sourceX = static_cast<int>((2LL * x + 1) * icon.width / (2LL * width));
            const size_t from = static_cast<size_t>(sourceY) * icon.width + sourceX;
            const bool clear = from < icon.transparent.size() && icon.transparent[from] != 0;
            const uint32_t colour = from < icon.pixels.size() ? icon.pixels[from] : 0;
            out[static_cast<size_t>(y) * width + x] =
                clear ? 0u : (0xFF000000u | (colour & 0x00FFFFFFu));
        }
    }
    return out;
}
