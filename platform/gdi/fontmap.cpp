// Logical fonts mapped to installed faces: the classic Windows faces become metric-compatible
// Liberation faces, at the bitmap sizes the classic faces were made in.
#include <ctype.h>
#include <string.h>

#include "platform/gdi/font.h"

namespace {

// The classic faces are bitmap fonts made in a few sizes; the font mapper takes the largest
// size that is not larger than the request (or the smallest). Requests beyond the largest size
// are scaled like outline fonts.
struct RasterSize {
    int em;
    int cell;
};
const RasterSize sansSerifSizes[] = {{11, 13}, {13, 16}, {16, 20}, {19, 24}, {24, 29}, {32, 37}};
const RasterSize systemSizes[] = {{13, 16}};

// Classic Windows faces and the installed faces with the same metrics. "System" is the bold
// font of the classic dialogs.
struct Substitute {
    const char *face;
    const char *family;
    bool bold;
    const RasterSize *sizes;
    int nrSizes;
};
const Substitute substitutes[] = {
    {"times new roman", "Liberation Serif", false, nullptr, 0},
    {"times", "Liberation Serif", false, nullptr, 0},
    {"ms sans serif", "Liberation Sans", false, sansSerifSizes, 6},
    {"ms shell dlg", "Liberation Sans", false, nullptr, 0},
    {"arial", "Liberation Sans", false, nullptr, 0},
    {"system", "Liberation Sans", true, systemSizes, 1},
    {"courier new", "Liberation Mono", false, nullptr, 0},
    {"", "Liberation Sans", false, nullptr, 0},
};

// The bitmap size a request gets: its em and cell heights, or null when the request is scaled
// like an outline font.
const RasterSize *rasterSizeFor(const Substitute &substitute, LONG height) {
    if (!substitute.sizes || height == 0)
        return nullptr;
    const RasterSize &largest = substitute.sizes[substitute.nrSizes - 1];
    const LONG wanted = height < 0 ? -height : height;
    if (wanted > (height < 0 ? largest.em : largest.cell))
        return nullptr;
    int chosen = 0;
    for (int i = 0; i < substitute.nrSizes; ++i)
        if ((height < 0 ? substitute.sizes[i].em : substitute.sizes[i].cell) <= wanted)
            chosen = i;
    return &substitute.sizes[chosen];
}

std::string lowered(const char *text, size_t capacity) {
    std::string out;
    for (size_t i = 0; i < capacity && text[i]; ++i)
        out += static_cast<char>(tolower(static_cast<unsigned char>(text[i])));
    return out;
}

} // namespace

FontRequest mapLogicalFont(const LOGFONTA &logFont) {
    FontRequest request;
    const std::string face = lowered(logFont.lfFaceName, LF_FACESIZE);
    request.family = logFont.lfFaceName[0] ? std::string(logFont.lfFaceName, 0,
                                                         strnlen(logFont.lfFaceName, LF_FACESIZE))
                                           : std::string();
    request.weight = logFont.lfWeight > 0 ? static_cast<int>(logFont.lfWeight) : FW_NORMAL;
    if (request.weight > 1000)
        request.weight = 1000;
    request.height = logFont.lfHeight;
    request.italic = logFont.lfItalic != 0;
    for (const Substitute &substitute : substitutes) {
        if (face == substitute.face) {
            request.family = substitute.family;
            if (substitute.bold && request.weight < FW_BOLD)
                request.weight = FW_BOLD;
            if (const RasterSize *raster = rasterSizeFor(substitute, logFont.lfHeight)) {
                request.rasterEm = raster->em;
                request.rasterCell = raster->cell;
                request.height = 0;
            }
            break;
        }
    }
    return request;
}
