// The program's start on the page: the entry routine with the instance handle, the save area
// that Asyncify keeps the suspended stack in, and hooks that tell tests of the page a dialog
// item's text and where it is.
#include "platform/backend.h"
#include "platform/web/page.h"
#include "platform/win32.h"
#include "platform/window/clock.h"

// The program's entry routine, called as a Windows start-up calls it.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

namespace {

// Asyncify's save area: its first two words are where the data begins and ends.
alignas(8) uint32_t saveArea[64 * 1024 / 4];

uint64_t pageMilliseconds() {
    return uint64_t(pageNow());
}

char itemText[1024];
int32_t itemRect[4];

} // namespace

QUILLMERE_PAGE_EXPORT(webSaveArea) uint32_t *webSaveArea() {
    saveArea[0] = uint32_t(uintptr_t(&saveArea[2]));
    saveArea[1] = uint32_t(uintptr_t(&saveArea[0] + sizeof saveArea / sizeof saveArea[0]));
    return saveArea;
}

QUILLMERE_PAGE_EXPORT(webMain) int webMain() {
    setClockSource(pageMilliseconds);
    return WinMain(GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_SHOWDEFAULT);
}

// The text of a dialog's item (Windows-1252, nul-terminated), for tests of the page.
QUILLMERE_PAGE_EXPORT(webItemText) const char *webItemText(uint32_t dialog, int id) {
    itemText[0] = 0;
    HWND item = GetDlgItem(reinterpret_cast<HWND>(uintptr_t(dialog)), id);
    if (item)
        GetWindowTextA(item, itemText, sizeof itemText);
    return itemText;
}

// Where a dialog's item is, as left, top, right, bottom in pixels of its window's canvas (the
// surface of menu bar and client area).
QUILLMERE_PAGE_EXPORT(webItemRect) const int32_t *webItemRect(uint32_t dialog, int id) {
    HWND topLevel = reinterpret_cast<HWND>(uintptr_t(dialog));
    HWND item = GetDlgItem(topLevel, id);
    RECT rect{0, 0, 0, 0}, client{0, 0, 0, 0};
    POINT origin{0, 0};
    const Surface *surface = topLevelSurface(topLevel);
    if (item && surface && GetWindowRect(item, &rect) && GetClientRect(topLevel, &client)) {
        ClientToScreen(topLevel, &origin);
        origin.y -= surface->height - (client.bottom - client.top);
    }
    itemRect[0] = rect.left - origin.x;
    itemRect[1] = rect.top - origin.y;
    itemRect[2] = rect.right - origin.x;
    itemRect[3] = rect.bottom - origin.y;
    return itemRect;
}
