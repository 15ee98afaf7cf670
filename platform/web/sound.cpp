// Beeps and the clipboard belong to the page (Web Audio, navigator.clipboard).
#include "platform/backend.h"
#include "platform/web/page.h"

void backendBeep(UINT type) {
    pageBeep(type);
}

void backendSetClipboard(const std::string &utf8) {
    pageClipboard(utf8.data(), int(utf8.size()));
}
