// Helpers shared by the GDI suites: surfaces with a pixel pattern that names its own position.
#pragma once

#include <stdint.h>
#include <vector>

#include "platform/gdi/gdi.h"

// A pixel that encodes its coordinates, so a copied pixel tells where it came from.
inline uint32_t positionPixel(int x, int y) {
    return (static_cast<uint32_t>(x) << 12) | static_cast<uint32_t>(y);
}

inline std::vector<uint32_t> positionPattern(int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = positionPixel(x, y);
    return pixels;
}

inline uint32_t pixelAt(const Surface &surface, int x, int y) {
    return surface.pixels[static_cast<size_t>(y) * surface.width + x];
}

inline HDC wholeSurfaceDC(Surface *surface) {
    return createSurfaceDC(surface, POINT{0, 0}, RECT{0, 0, surface->width, surface->height});
}
