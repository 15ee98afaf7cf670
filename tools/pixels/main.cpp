// Writes every bitmap and icon of the program into one folder, for the resource compiler.
#include "tools/pixels/dibfile.h"
#include "tools/pixels/pictures.h"

#include <stdio.h>

#include <string>

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    struct Named {
        const char *file;
        Canvas (*draw)();
    };
    const Named bitmaps[] = {
        {"present.bmp", drawPresent},
        {"selected.bmp", drawSelected},
        {"removed.bmp", drawRemoved},
        {"lightning.bmp", drawLightning},
        {"holes_few.bmp", drawHolesFew},
        {"holes_remnants.bmp", drawHolesRemnants},
        {"holes_large.bmp", drawHolesLarge},
        {"grid_coarse.bmp", drawGridCoarse},
        {"grid_fine.bmp", drawGridFine},
        {"grid_strips.bmp", drawGridStrips},
        {"burst_small.bmp", drawBurstSmall},
        {"burst_large.bmp", drawBurstLarge},
        {"fragments_two.bmp", drawFragmentsTwo},
        {"fragment_one.bmp", drawFragmentOne},
        {"wisp.bmp", drawWisp},
        {"curled.bmp", drawCurled},
        {"sparks.bmp", drawSparks},
        {"logo.bmp", drawLogo},
        {"lever_high.bmp", [] { return drawLever(true); }},
        {"lever_low.bmp", [] { return drawLever(false); }},
    };
    bool ok = true;
    for (const Named &b : bitmaps)
        ok = writeBmp((dir + b.file).c_str(), b.draw()) && ok;
    Mask mask(0, 0);
    const Canvas large = drawIcon(4, &mask);
    ok = writeIco((dir + "large.ico").c_str(), large, mask) && ok;
    const Canvas small = drawIcon(3, &mask);
    ok = writeIco((dir + "small.ico").c_str(), small, mask) && ok;
    return ok ? 0 : 1;
}
