// Rectangle arithmetic for GDI, the window manager and the controls. A rectangle holds its left
// and top edges, not its right and bottom ones.
#pragma once

#include <algorithm>

#include "platform/win32.h"

inline bool rectIsEmpty(const RECT &r) {
    return r.right <= r.left || r.bottom <= r.top;
}

inline bool rectContains(const RECT &r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// The part that both cover; {0, 0, 0, 0} when they do not meet.
inline RECT intersectRects(const RECT &a, const RECT &b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return rectIsEmpty(r) ? RECT{0, 0, 0, 0} : r;
}

// The smallest rectangle that holds both; an empty one adds nothing.
inline RECT uniteRects(const RECT &a, const RECT &b) {
    if (rectIsEmpty(a)) {
        return b;
    }
    if (rectIsEmpty(b)) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

inline RECT offsetRect(const RECT &r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

inline RECT deflateRect(const RECT &r, int by) {
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}
