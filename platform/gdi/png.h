// Writes 8-bit RGB PNG files, for pictures of windows and the resource contact sheet.
#pragma once

#include <stdint.h>

// pixels: width * height values 0x00RRGGBB, top row first. Returns false (and writes a
// one-line reason to stderr) when the file cannot be written.
bool writePng(const char *path, int width, int height, const uint32_t *pixels);

// The same with an alpha channel: pixels are 0xAARRGGBB (alpha 0 fully transparent).
bool writePngRgba(const char *path, int width, int height, const uint32_t *pixels);
