// The program's start on the page: the entry routine with the instance handle, and the save
// area that Asyncify keeps the suspended stack in.
#include "platform/backend.h"
#include "platform/web/page.h"
#include "platform/window/clock.h"

// The program's entry routine, called as a Windows start-up calls it.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

namespace {

// Asyncify's save area: its first two words are where the data begins and ends.
alignas(8) uint32_t saveArea[16 * 1024 / 4]; // a suspension saves well under 1 KB

uint64_t pageMilliseconds() {
    return uint64_t(pageNow());
}

} // namespace

QUILLMERE_PAGE_EXPORT(webSaveArea) uint32_t *webSaveArea() {
    saveArea[0] = uint32_t(uintptr_t(&saveArea[2]));
    saveArea[1] = uint32_t(uintptr_t(&saveArea[0] + sizeof saveArea / sizeof saveArea[0]));
    return saveArea;
}

QUILLMERE_PAGE_EXPORT(webMain) int webMain() {
    registerSystemClasses();
    setClockSource(pageMilliseconds);
    accessStart(); // the page's accessible mirror follows every window from the first
    return WinMain(GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_SHOWDEFAULT);
}
