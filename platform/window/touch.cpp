// Touch hit-testing, after Windows' rules for aiming a finger (WM_TOUCHHITTESTING,
// EvaluateProximityToRect): only the enabled controls that the contact square meets count; one
// under the touch point keeps it, the topmost where they overlap; otherwise the one nearest to
// the point wins and the point moves onto it. The menu bar counts as one more control. Statics
// let clicks through (they answer WM_NCHITTEST with HTTRANSPARENT), so they are no targets;
// that is read from the class, since a touch is aimed as it is made, possibly while the
// program is inside a Sleep.
#include "platform/window/touch.h"

#include <algorithm>

#include "platform/gdi/rect.h"
#include "platform/window/nonclient.h"

namespace {

struct Aim {
    POINT point;
    int radius;
    RECT area{0, 0, 0, 0};
    long long distance = -1; // squared, from the touch point; -1 while nothing is found
};

POINT nearestIn(const RECT &r, POINT p) {
    return {std::clamp<LONG>(p.x, r.left, r.right - 1), std::clamp<LONG>(p.y, r.top, r.bottom - 1)};
}

void consider(const RECT &area, Aim *aim) {
    const POINT p = aim->point;
    const int r = aim->radius;
    if (rectIsEmpty(area) || area.right <= p.x - r || area.left > p.x + r ||
        area.bottom <= p.y - r || area.top > p.y + r) {
        return;
    }
    const POINT q = nearestIn(area, p);
    const long long dx = q.x - p.x, dy = q.y - p.y;
    if (aim->distance < 0 || dx * dx + dy * dy < aim->distance) {
        aim->area = area;
        aim->distance = dx * dx + dy * dy;
    }
}

bool letsClicksThrough(const Window *window) {
    return window->windowClass && window->windowClass->atom == staticClassAtom;
}

// Children in z-order, topmost first, and the controls inside each before the control itself.
void considerChildren(const Window *window, Aim *aim) {
    for (HWND handle : window->children) {
        const Window *child = findWindow(handle);
        if (!child || !isShowing(child)) {
            continue;
        }
        considerChildren(child, aim);
        if (isEnabledTree(child) && !letsClicksThrough(child)) {
            consider(visibleClientOnSurface(child), aim);
        }
    }
}

} // namespace

POINT aimTouch(const Window *topLevel, POINT point, int radius) {
    if (topLevel->inMenuMode) {
        return point; // the open menu takes the finger where it is
    }
    Aim aim{point, radius};
    considerChildren(topLevel, &aim);
    consider({0, 0, topLevel->surface.width, menuBarHeight(topLevel)}, &aim);
    return aim.distance < 0 ? point : nearestIn(aim.area, point);
}
