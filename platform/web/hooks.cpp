// Hooks for tests of the page: a dialog item's text, where it is on its window's canvas, and
// where a finger's touch would be taken.
#include "platform/backend.h"
#include "platform/gdi/cp1252.h"
#include "platform/web/page.h"
#include "platform/window/touch.h"

namespace {

std::string itemText;
int32_t itemRect[4];
int32_t aimedPoint[2];

} // namespace

// The text of a dialog's item (UTF-8, nul-terminated), for tests of the page.
QUILLMERE_PAGE_EXPORT(webItemText) const char *webItemText(uint32_t dialog, int id) {
    char text[1024];
    HWND item = GetDlgItem(reinterpret_cast<HWND>(uintptr_t(dialog)), id);
    const int length = item ? GetWindowTextA(item, text, sizeof text) : 0;
    itemText = cp1252ToUtf8(text, length > 0 ? size_t(length) : 0);
    return itemText.c_str();
}

// Where a dialog's item is, as left, top, right, bottom in pixels of its window's canvas (the
// surface of menu bar and client area).
QUILLMERE_PAGE_EXPORT(webItemRect) const int32_t *webItemRect(uint32_t dialog, int id) {
    HWND topLevel = reinterpret_cast<HWND>(uintptr_t(dialog));
    HWND item = GetDlgItem(topLevel, id);
    RECT rect{0, 0, 0, 0};
    POINT origin{0, 0};
    if (item && topLevelSurface(topLevel) && GetWindowRect(item, &rect))
        origin = surfaceOriginOnScreen(topLevel);
    itemRect[0] = rect.left - origin.x;
    itemRect[1] = rect.top - origin.y;
    itemRect[2] = rect.right - origin.x;
    itemRect[3] = rect.bottom - origin.y;
    return itemRect;
}

// The point of a top-level window's canvas that a touch at (x, y), with a contact of the given
// radius, is taken at.
QUILLMERE_PAGE_EXPORT(webTouchAim)
const int32_t *webTouchAim(uint32_t topLevel, int x, int y, int radius) {
    const Window *window = findWindow(reinterpret_cast<HWND>(uintptr_t(topLevel)));
    const POINT aimed = window ? aimTouch(window, {x, y}, radius) : POINT{x, y};
    aimedPoint[0] = aimed.x;
    aimedPoint[1] = aimed.y;
    return aimedPoint;
}
