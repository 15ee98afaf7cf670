#include "platform/sdl/xconnection.h"

#ifdef QUILLMERE_SDL_X11
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

XErrorHandler passOn = nullptr;

// The X windows of the hosts destroyed last. A request made for one before it was destroyed, on
// SDL's connection or on the second one SDL keeps, may still fail afterwards: the server
// reports errors asynchronously, and it may take the other connection's request later.
XID goneWindows[32];
int nextGone = 0;

bool isGone(XID id) {
    for (XID gone : goneWindows)
        if (gone != 0 && gone == id)
            return true;
    return false;
}

int onX11Error(Display *display, XErrorEvent *error) {
    bool aboutWindow = error->error_code == BadWindow || error->error_code == BadDrawable;
    if (!aboutWindow || !isGone(error->resourceid))
        return passOn(display, error);
    const char *debug = getenv("QUILLMERE_DEBUG");
    if (debug && *debug && *debug != '0') {
        char text[80];
        XGetErrorText(display, error->error_code, text, sizeof text);
        fprintf(stderr, "quillmere: X error ignored: %s, request %d, window 0x%lx is destroyed\n",
                text, error->request_code, error->resourceid);
    }
    return 0;
}

bool x11WindowOf(SDL_Window *window, Display **display, Window *xwindow) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    *display = info.info.x11.display;
    *xwindow = info.info.x11.window;
    return true;
}

} // namespace

void sdlWatchX11Errors() {
    if (!passOn)
        passOn = XSetErrorHandler(onX11Error);
}

void sdlHostWindowGoing(SDL_Window *window) {
    Display *display;
    Window xwindow;
    if (!x11WindowOf(window, &display, &xwindow))
        return;
    goneWindows[nextGone] = xwindow;
    nextGone = (nextGone + 1) % int(sizeof goneWindows / sizeof goneWindows[0]);
}

#else

void sdlWatchX11Errors() {}
void sdlHostWindowGoing(SDL_Window *) {}

#endif
