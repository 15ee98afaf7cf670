// USER32's drawing helpers for control looks: the system colours, DrawEdge (rectangular edges
// in those colours) and DrawFocusRect (a dotted frame that inverts what lies under it, so a
// second call on the same rectangle takes it away).
#include "platform/window/edges.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/rect.h"

namespace {

// One line of an edge: the top and left sides in one colour, then the bottom and right sides
// in the other, over the corners the first left.
void drawBorder(HDC dc, const RECT &r, UINT flags, int topLeft, int bottomRight) {
    COLORREF light = sysColor(topLeft), dark = sysColor(bottomRight);
    if (flags & BF_TOP) {
        drawHorizontalLine(dc, r.left, r.right, r.top, light);
    }
    if (flags & BF_LEFT) {
        drawVerticalLine(dc, r.left, r.top, r.bottom, light);
    }
    if (flags & BF_BOTTOM) {
        drawHorizontalLine(dc, r.left, r.right, r.bottom - 1, dark);
    }
    if (flags & BF_RIGHT) {
        drawVerticalLine(dc, r.right - 1, r.top, r.bottom, dark);
    }
}

RECT inset(const RECT &r, UINT flags) {
    return {r.left + ((flags & BF_LEFT) ? 1 : 0), r.top + ((flags & BF_TOP) ? 1 : 0),
            r.right - ((flags & BF_RIGHT) ? 1 : 0), r.bottom - ((flags & BF_BOTTOM) ? 1 : 0)};
}

} // namespace

COLORREF sysColor(int index) {
    static const COLORREF colors[] = {
        RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128),
        RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(0, 0, 0),       RGB(255, 255, 255), RGB(192, 192, 192), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(192, 192, 192), RGB(0, 0, 0),
        RGB(255, 255, 225)};
    if (index < 0 || index >= static_cast<int>(sizeof(colors) / sizeof(colors[0]))) {
        return 0;
    }
    return colors[index];
}

void fillWithSysColor(HDC dc, const RECT &rect, int index) {
    fillSolidRect(dc, rect, sysColor(index));
}

void drawEdge(HDC dc, const RECT &r, COLORREF topLeft, COLORREF bottomRight) {
    if (rectIsEmpty(r)) {
        return;
    }
    drawHorizontalLine(dc, r.left, r.right - 1, r.top, topLeft);
    drawVerticalLine(dc, r.left, r.top, r.bottom - 1, topLeft);
    drawHorizontalLine(dc, r.left, r.right, r.bottom - 1, bottomRight);
    drawVerticalLine(dc, r.right - 1, r.top, r.bottom, bottomRight);
}

BOOL WINAPI DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
    if (!rect) {
        return FALSE;
    }
    // The outer line, then the inner one a pixel further in; raised and sunken both asked for
    // on the same line draw nothing there.
    RECT r = *rect;
    UINT outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
    UINT inner = edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
    if (outer == BDR_RAISEDOUTER) {
        drawBorder(dc, r, flags, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    } else if (outer == BDR_SUNKENOUTER) {
        drawBorder(dc, r, flags, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    }
    if (outer == BDR_RAISEDOUTER || outer == BDR_SUNKENOUTER) {
        r = inset(r, flags);
    }
    if (inner == BDR_RAISEDINNER) {
        drawBorder(dc, r, flags, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    } else if (inner == BDR_SUNKENINNER) {
        drawBorder(dc, r, flags, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    }
    if (inner == BDR_RAISEDINNER || inner == BDR_SUNKENINNER) {
        r = inset(r, flags);
    }
    if (flags & BF_ADJUST) {
        *rect = r;
    }
    return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC dc, const RECT *rect) {
    if (!rect) {
        return FALSE;
    }
    invertDottedFrame(dc, *rect);
    return TRUE;
}
