// Draws every bitmap and icon of the program's resources, enlarged and labelled with its
// number, into one PNG for review. Usage: quillmere_contact_sheet <output.png>
#include "platform/gdi/png.h"
#include "platform/resources/resfile.h"

#include <stdio.h>

#include <string>
#include <vector>

namespace {

const uint32_t Backdrop = 0x3A4A5A, LabelColour = 0xFFFFFF, CheckerA = 0x9AA4AE,
               CheckerB = 0x6E7882;

struct Sheet {
    int width, height;
    std::vector<uint32_t> pixels;

    Sheet(int w, int h) : width(w), height(h), pixels(size_t(w) * h, Backdrop) {}
    void set(int x, int y, uint32_t c) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[size_t(y) * width + x] = c;
    }
};

// 3 x 5 digits, a row of three bits per line.
const uint8_t digitRows[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

void label(Sheet &s, int x, int y, const std::string &text, int scale) {
    for (char ch : text) {
        if (ch >= '0' && ch <= '9')
            for (int r = 0; r < 5; ++r)
                for (int c = 0; c < 3; ++c)
                    if (digitRows[ch - '0'][r] & (4 >> c))
                        for (int dy = 0; dy < scale; ++dy)
                            for (int dx = 0; dx < scale; ++dx)
                                s.set(x + c * scale + dx, y + r * scale + dy, LabelColour);
        x += 4 * scale;
    }
}

// A picture at (x, y), each pixel scale x scale; transparent pixels show a checkerboard.
void blit(Sheet &s, int x, int y, int w, int h, const std::vector<uint32_t> &pixels,
          const std::vector<uint8_t> *transparent, int scale) {
    for (int py = 0; py < h * scale; ++py)
        for (int px = 0; px < w * scale; ++px) {
            const size_t at = size_t(py / scale) * w + px / scale;
            uint32_t c = pixels[at];
            if (transparent && (*transparent)[at])
                c = ((px / 4 + py / 4) % 2) ? CheckerA : CheckerB;
            s.set(x + px, y + py, c);
        }
}

struct Cell {
    int x, y, scale;
    uint16_t id;
    bool icon;
    uint16_t language; // icons only: 0 for the preferred language
};

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s <output.png>\n", argv[0]);
        return 2;
    }
    const ResourceBytes image = embeddedResourceImage();
    std::vector<Cell> cells;
    // Faces and lever, then the removal frames in the order they play, then logo and icons.
    int x = 16;
    for (uint16_t id : {130, 131, 132}) {
        cells.push_back({x, 24, 4, id, false, 0});
        x += 64;
    }
    x += 32;
    for (uint16_t id : {151, 150}) {
        cells.push_back({x, 24, 4, id, false, 0});
        x += 208;
    }
    x = 16;
    for (uint16_t id : {134, 135, 137, 136, 138, 139, 140, 141, 142, 146, 143, 144, 145, 147}) {
        cells.push_back({x, 256, 4, id, false, 0});
        x += id == 145 ? 208 : 64;
    }
    cells.push_back({16, 488, 2, 149, false, 0});
    cells.push_back({680, 488, 6, 107, true, 0});
    cells.push_back({900, 488, 6, 107, true, 0x0409});
    cells.push_back({680, 720, 6, 108, true, 0});

    Sheet sheet(1120, 984);
    bool ok = true;
    for (const Cell &c : cells) {
        std::string why, name = std::to_string(c.id);
        if (!c.icon) {
            ResourceBytes bytes;
            DecodedDib dib;
            if (!findResource(image, ResourceTypeBitmap, c.id, &bytes, &why) ||
                !decodeDib(bytes, &dib, &why)) {
                fprintf(stderr, "bitmap %u: %s\n", c.id, why.c_str());
                ok = false;
                continue;
            }
            blit(sheet, c.x, c.y, dib.width, dib.height, dib.pixels, nullptr, c.scale);
        } else {
            std::vector<DecodedIcon> icons;
            const bool found =
                c.language ? decodeIconGroupInLanguage(image, c.id, c.language, &icons, &why)
                           : decodeIconGroup(image, c.id, &icons, &why);
            if (!found || icons.empty()) {
                fprintf(stderr, "icon %u: %s\n", c.id, why.c_str());
                ok = false;
                continue;
            }
            const DecodedIcon &icon = icons[0];
            blit(sheet, c.x, c.y, icon.width, icon.height, icon.pixels, &icon.transparent, c.scale);
            if (c.language)
                name += " 1033";
        }
        label(sheet, c.x, c.y - 16, name, 2);
    }
    if (!writePng(argv[1], sheet.width, sheet.height, sheet.pixels.data()))
        return 1;
    return ok ? 0 : 1;
}
