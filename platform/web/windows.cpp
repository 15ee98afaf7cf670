// Top-level windows on the page: the page draws a caption bar and a canvas for each one; the
// program tells it where they are and gives it their pixels.
#include <stdint.h>

#include "platform/backend.h"
#include "platform/gdi/cp1252.h"
#include "platform/web/page.h"

namespace {

uint32_t idOf(HWND window) {
    return uint32_t(reinterpret_cast<uintptr_t>(window));
}

} // namespace

bool backendWindowChanged(HWND topLevel, std::string *) {
    char text[512];
    const int length = GetWindowTextA(topLevel, text, sizeof text);
    const std::string title = cp1252ToUtf8(text, length > 0 ? size_t(length) : 0);
    RECT outer{0, 0, 0, 0};
    GetWindowRect(topLevel, &outer);
    const POINT origin = surfaceOriginOnScreen(topLevel);
    const int flags = (IsWindowVisible(topLevel) ? PageWindowVisible : 0) |
                      (IsIconic(topLevel) ? PageWindowMinimised : 0);
    pageWindow(idOf(topLevel), title.data(), int(title.size()), flags, outer.left, outer.top,
               outer.right - outer.left, outer.bottom - outer.top, origin.x - outer.left,
               origin.y - outer.top, idOf(GetParent(topLevel)));
    return true;
}

void backendWindowDestroyed(HWND topLevel) {
    pageWindowDestroyed(idOf(topLevel));
}

RECT backendWorkArea() {
    int32_t rect[4] = {0, 0, 0, 0};
    pageWorkArea(rect);
    return {rect[0], rect[1], rect[2], rect[3]};
}

// The page shows no icons.
void backendWindowIcons(HWND, HICON, HICON) {}

void backendPresent(HWND topLevel) {
    const Surface *surface = topLevelSurface(topLevel);
    if (!surface || surface->width <= 0 || surface->height <= 0 ||
        surface->pixels.size() < size_t(surface->width) * surface->height)
        return;
    pagePresent(idOf(topLevel), surface->pixels.data(), surface->width, surface->height);
}
