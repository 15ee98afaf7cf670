// The program's icons: red sticks in a centred pyramid on a transparent background.
// Icons use the icon palette, which differs from the bitmaps' only in entries 7 and 8; the
// colours used here (red, maroon, black) have the same index in both.
#include "tools/pixels/pictures.h"

Canvas drawIcon(int nrRows, Mask *transparent) {
    const bool large = nrRows == 4;
    const int size = large ? 32 : 16;
    const int stickWidth = large ? 3 : 2, pitch = stickWidth + 1;
    const int stickHeight = large ? 7 : 4, rowPitch = stickHeight + 1;
    const int top = large ? 0 : 1;
    Canvas c(size, size, Black);
    Mask solid(size, size);
    for (int row = 0; row < nrRows; ++row) {
        const int nrSticks = 2 * row + 1;
        const int rowWidth = nrSticks * pitch - 1;
        const int left = (size - rowWidth) / 2;
        const int y0 = top + row * rowPitch;
        for (int i = 0; i < nrSticks; ++i) {
            const int x0 = left + i * pitch;
            for (int y = y0; y < y0 + stickHeight; ++y)
                for (int x = x0; x < x0 + stickWidth; ++x) {
                    if (y == y0 && large && x != x0 + 1)
                        continue; // rounded top
                    solid.set(x, y);
                    c.set(x, y, x == x0 + stickWidth - 1 ? Maroon : Red);
                }
        }
    }
    *transparent = Mask(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            transparent->set(x, y, !solid.at(x, y));
    return c;
}
