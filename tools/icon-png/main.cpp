// Writes an icon group of the program's resources as a PNG of a given size, for the desktop's
// icon theme: quillmere_icon_png GROUP SIZE OUTPUT.png. The group's largest image is the source.
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "platform/gdi/png.h"
#include "platform/resources/resfile.h"
#include "tools/icon-png/iconScale.h"

int main(int argc, char **argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s GROUP SIZE OUTPUT.png\n", argv[0]);
        return 2;
    }
    const long group = strtol(argv[1], nullptr, 10);
    const long size = strtol(argv[2], nullptr, 10);
    if (group <= 0 || group > 0xFFFF || size <= 0 || size > 1024) {
        fprintf(stderr, "%s: group must be a resource number, size 1 to 1024\n", argv[0]);
        return 2;
    }
    std::vector<DecodedIcon> images;
    std::string why;
    if (!decodeIconGroup(embeddedResourceImage(), static_cast<uint16_t>(group), &images, &why) ||
        images.empty()) {
        fprintf(stderr, "%s: icon group %ld: %s\n", argv[0], group,
                why.empty() ? "no images" : why.c_str());
        return 1;
    }
    const DecodedIcon *largest = &images[0];
    for (const DecodedIcon &image : images) {
        if (image.width * image.height > largest->width * largest->height) {
            largest = &image;
        }
    }
    const int side = static_cast<int>(size);
    std::vector<uint32_t> pixels = scaledIconPixels(*largest, side, side);
    return writePngRgba(argv[3], side, side, pixels.data()) ? 0 : 1;
}
