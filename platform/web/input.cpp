// Input, waiting and the clock. The page hands each input event to webInput as it happens, so
// a mouse event is aimed at the window under the pointer then, even while the program sleeps.
// A typed character comes as its Unicode code point; a finger's events carry the radius of its
// contact in surface pixels.
#include "platform/backend.h"
#include "platform/gdi/cp1252.h"
#include "platform/web/page.h"

QUILLMERE_PAGE_EXPORT(webInput)
void webInput(int kind, uint32_t topLevel, int x, int y, int key, int modifiers, int character,
              int touchRadius) {
    if (kind < InputEvent::MouseMove || kind > InputEvent::CloseRequest)
        return;
    InputEvent event;
    event.kind = InputEvent::Kind(kind);
    event.topLevel = reinterpret_cast<HWND>(uintptr_t(topLevel));
    event.x = x;
    event.y = y;
    event.key = key;
    event.shift = (modifiers & PageShift) != 0;
    event.control = (modifiers & PageControl) != 0;
    event.alt = (modifiers & PageAlt) != 0;
    event.character = unicodeToCp1252(uint32_t(character));
    event.touchRadius = touchRadius > 0 ? touchRadius : 0;
    queueInput(event);
}

// Input is already queued as it comes; waiting lets the page run until more arrives.
void backendPumpInput(bool wait) {
    if (wait)
        pageWaitInput();
}

void backendSleep(DWORD milliseconds) {
    pageSleep(milliseconds);
}

uint64_t backendNow() {
    return uint64_t(pageNow());
}
