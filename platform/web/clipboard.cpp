// The clipboard: the page writes the text through navigator.clipboard.
#include "platform/backend.h"
#include "platform/web/page.h"

void backendSetClipboard(const std::string &utf8) {
    pageClipboard(utf8.data(), int(utf8.size()));
}
