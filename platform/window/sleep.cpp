// Sleep and MessageBeep: both go to the backend. Sleep handles no messages; input made
// meanwhile waits in the queue. What was painted is shown before the wait begins.
#include "platform/backend.h"
#include "platform/window/paint.h"

void WINAPI Sleep(DWORD milliseconds) {
    presentDirtySurfaces();
    backendSleep(milliseconds);
}

BOOL WINAPI MessageBeep(UINT type) {
    backendBeep(type);
    return TRUE;
}
