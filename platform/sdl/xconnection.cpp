#include "platform/sdl/xconnection.h"

#include <algorithm>

namespace {

void (*waitHook)(int descriptor, int milliseconds) = nullptr;

// Without the connection, the hook waits in short slices so that SDL's events are not missed.
void waitWithoutConnection(int milliseconds) {
    if (waitHook)
        waitHook(-1, std::min(milliseconds, 10));
    else
        SDL_WaitEventTimeout(nullptr, milliseconds);
}

} // namespace

void sdlSetWaitHook(void (*hook)(int descriptor, int milliseconds)) {
    waitHook = hook;
}

#ifdef QUILLMERE_SDL_X11
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

Display *connection = nullptr; // SDL's, learnt from the first host window
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

void sdlHostWindowMade(SDL_Window *window) {
    Display *display;
    Window xwindow;
    if (!connection && x11WindowOf(window, &display, &xwindow))
        connection = display;
}

void sdlHostWindowGoing(SDL_Window *window) {
    Display *display;
    Window xwindow;
    if (!x11WindowOf(window, &display, &xwindow))
        return;
    goneWindows[nextGone] = xwindow;
    nextGone = (nextGone + 1) % int(sizeof goneWindows / sizeof goneWindows[0]);
}

// SDL_WaitEventTimeout is not used on X11: for each event that arrives while it waits, SDL
// wakes itself with an event sent over a second connection to its newest window. The server may
// take that after this connection destroyed the window (a dialog just ended), and the error
// would come back for a window that is gone. Waiting on the connection itself sends nothing.
void sdlWaitForEvents(int milliseconds) {
    if (!connection) {
        waitWithoutConnection(milliseconds);
        return;
    }
    if (XEventsQueued(connection, QueuedAfterFlush) > 0)
        return;
    if (waitHook) {
        waitHook(ConnectionNumber(connection), milliseconds);
        return;
    }
    pollfd watched{ConnectionNumber(connection), POLLIN, 0};
    poll(&watched, 1, milliseconds);
}

#else

void sdlWatchX11Errors() {}
void sdlHostWindowMade(SDL_Window *) {}
void sdlHostWindowGoing(SDL_Window *) {}
void sdlWaitForEvents(int milliseconds) {
    waitWithoutConnection(milliseconds);
}

#endif
