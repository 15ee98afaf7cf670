// Beeps: the page plays them through Web Audio once the player has clicked or typed.
#include "platform/backend.h"
#include "platform/web/page.h"

void backendBeep(UINT type) {
    pageBeep(type);
}
