// The backend's own use of SDL's X11 connection: waiting for its next event, and the protocol
// errors that name windows the program has already destroyed. Elsewhere than on X11 these fall
// back to SDL or do nothing.
#pragma once

#include <SDL.h>

// Installs, once and for the rest of the program, an Xlib error handler that ignores errors on
// destroyed host windows (reported on standard error when QUILLMERE_DEBUG is set) and hands
// every other error to the handler it replaced. Called before SDL opens the display, so that
// the handlers SDL sets for a while, and the one it keeps while video runs, pass errors on to it.
void sdlWatchX11Errors();

// A host's SDL window was made, or is about to be destroyed.
void sdlHostWindowMade(SDL_Window *window);
void sdlHostWindowGoing(SDL_Window *window);

// Blocks until the display has an event for SDL_PumpEvents or the milliseconds have passed.
void sdlWaitForEvents(int milliseconds);
// From now on the waits go through the hook, which also listens to something else (the AT-SPI
// module: the accessibility bus): it waits up to the milliseconds given for the display's
// connection (-1 when it is unknown; it is then called for 10 ms at most).
void sdlSetWaitHook(void (*hook)(int descriptor, int milliseconds));
