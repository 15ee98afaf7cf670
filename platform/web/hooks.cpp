// Hooks for tests of the page: a dialog item's text and where it is on its window's canvas.
#include "platform/backend.h"
#include "platform/gdi/cp1252.h"
#include "platform/web/page.h"

namespace {

std::string itemText;
int32_t itemRect[4];

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
