// Dialog units to pixels as a dialog manager places controls: x and widths times the
// horizontal base unit over 4, y and heights times the vertical one over 8, each rounded to
// the nearest pixel (halves away from zero) on its own.
#pragma once

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect &other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

inline int scaledUnits(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long rounded =
        product >= 0 ? (product + divisor / 2) / divisor : -((-product + divisor / 2) / divisor);
    return static_cast<int>(rounded);
}

inline PixelRect dialogUnitsToPixels(int x, int y, int cx, int cy, int baseX, int baseY) {
    PixelRect r;
    r.left = scaledUnits(x, baseX, 4);
    r.top = scaledUnits(y, baseY, 8);
    r.right = r.left + scaledUnits(cx, baseX, 4);
    r.bottom = r.top + scaledUnits(cy, baseY, 8);
    return r;
}
