// Writes pictures as 4-bit uncompressed bottom-up BMP and ICO files.
#pragma once

#include "tools/pixels/canvas.h"

// A bitmap with the standard 16-colour palette.
bool writeBmp(const char *path, const Canvas &canvas);
// An icon with one image: the icon palette (standard palette with entries 7 and 8 exchanged)
// and an AND mask that is set wherever transparent holds.
bool writeIco(const char *path, const Canvas &canvas, const Mask &transparent);
