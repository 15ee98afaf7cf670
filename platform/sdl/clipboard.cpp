// Copy from the layer's edit fields to the desktop clipboard.
#include <SDL.h>

#include "platform/backend.h"
#include "platform/sdl/display.h"

// The X11 clipboard is served from the program's event pump, which keeps running in the modal
// loops and during Sleep.
void backendSetClipboard(const std::string &utf8) {
    if (sdlVideoReady(nullptr))
        SDL_SetClipboardText(utf8.c_str());
}
