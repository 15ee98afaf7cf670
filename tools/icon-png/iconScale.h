// Turns a decoded icon into the RGBA pixels of a PNG of any square size: transparent where the
// icon's mask lets the desktop through, scaled by whole source pixels so the pixel art stays
// sharp.
#pragma once

#include <stdint.h>

#include <vector>

#include "platform/resources/resfile.h"

// width * height values 0xAARRGGBB, top row first; each target pixel takes the colour of the
// source pixel under its centre.
std::vector<uint32_t> scaledIconPixels(const DecodedIcon &icon, int width, int height);
