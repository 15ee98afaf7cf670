#include "platform/sdl/display.h"

#include <stdlib.h>
#include <string.h>

#ifdef QUILLMERE_SDL_X11
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

#include "platform/backend.h"
#include "platform/sdl/audio.h"
#include "platform/sdl/xconnection.h"

namespace {

bool attempted = false;
bool ready = false;
std::string failure;
int scale = 1;
bool windowManager = true;

bool usingX11() {
    const char *driver = SDL_GetCurrentVideoDriver();
    return driver && strcmp(driver, "x11") == 0;
}

#ifdef QUILLMERE_SDL_X11
bool x11ErrorSeen = false;
int noteX11Error(Display *, XErrorEvent *) {
    x11ErrorSeen = true;
    return 0;
}

// A window manager owns the WM_Sn selection (ICCCM) or names a live check window on the root
// (EWMH); either one is enough.
bool x11WindowManagerRunning(Display *display) {
    int screen = DefaultScreen(display);
    char selection[32];
    snprintf(selection, sizeof selection, "WM_S%d", screen);
    bool found = XGetSelectionOwner(display, XInternAtom(display, selection, False)) != None;
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (!found && check != None) {
        int (*previous)(Display *, XErrorEvent *) = XSetErrorHandler(noteX11Error);
        Window candidate = RootWindow(display, screen);
        for (int step = 0; step < 2 && candidate != None; ++step) {
            Atom type;
            int format;
            unsigned long count, remaining;
            unsigned char *data = nullptr;
            x11ErrorSeen = false;
            Window next = None;
            if (XGetWindowProperty(display, candidate, check, 0, 1, False, XA_WINDOW, &type,
                                   &format, &count, &remaining, &data) == Success &&
                !x11ErrorSeen && data && count == 1 && format == 32)
                next = *reinterpret_cast<Window *>(data);
            if (data)
                XFree(data);
            XSync(display, False);
            if (x11ErrorSeen)
                next = None;
            // The root names the check window, and the check window must name itself.
            if (step == 1)
                found = next != None && next == candidate;
            candidate = next;
        }
        XSetErrorHandler(previous);
    }
    return found;
}

// The Xft.dpi resource (RESOURCE_MANAGER on the root window, as Xft itself reads it): what
// desktops set for their text and window scale. 0 when it is not set.
float x11ResourceDpi(Display *display) {
    const char *value = XGetDefault(display, "Xft", "dpi");
    return value ? strtof(value, nullptr) : 0.0f;
}
#endif

// A driver that shows nothing (offscreen, dummy) is used only when the user names it: without
// a display the program must learn that it cannot show its windows.
bool startVideo(std::string *why) {
    const char *named = getenv("SDL_VIDEODRIVER");
    if (named && *named) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0)
            return true;
        *why = std::string("no graphical display could be opened: ") + SDL_GetError();
        return false;
    }
    std::string reasons;
    auto note = [&](const std::string &reason) {
        if (!reasons.empty())
            reasons += "; ";
        reasons += reason;
    };
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        std::string name = SDL_GetVideoDriver(i);
        if (name == "offscreen" || name == "dummy" || name == "evdev")
            continue;
        // Probing Wayland without a runtime directory makes libwayland print a line of its own.
        if (name == "wayland" && !getenv("XDG_RUNTIME_DIR")) {
            note("wayland not available (XDG_RUNTIME_DIR is not set)");
            continue;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, name.c_str());
        bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, nullptr);
        if (started)
            return true;
        std::string reason = SDL_GetError();
        if (name == "x11") {
            const char *display = getenv("DISPLAY");
            reason += display ? std::string(" (DISPLAY=") + display + ")"
                              : std::string(" (DISPLAY is not set)");
        }
        note(reason);
    }
    *why = "no graphical display could be opened: " +
           (reasons.empty() ? std::string("SDL has no video driver") : reasons);
    return false;
}

// A whole number from 1 to 8, or 0.
int scaleSetting(const char *setting) {
    if (!setting || !*setting)
        return 0;
    char *end = nullptr;
    long value = strtol(setting, &end, 10);
    return end && *end == '\0' && value >= 1 && value <= 8 ? int(value) : 0;
}

} // namespace

int chooseDisplayScale(const ScaleSources &sources) {
    if (int factor = scaleSetting(sources.setting))
        return factor;
    if (int factor = scaleSetting(sources.gdkScale))
        return factor;
    if (sources.resourceDpi > 0.0f) {
        int factor = int(sources.resourceDpi / 96.0f + 0.5f);
        return factor < 1 ? 1 : factor > 8 ? 8 : factor;
    }
    float dpi = sources.displayDpi;
    if (!(dpi > 0.0f))
        return 1;
    // A measured DPI is less certain than the desktop's setting: a factor is taken once the
    // display is close to a whole multiple of 96 (168 DPI and up for 2).
    int factor = int(dpi / 96.0f + 0.25f);
    return factor < 1 ? 1 : factor > 4 ? 4 : factor;
}

void sdlShutdown() {
    sdlStopAudio();
    SDL_Quit();
}

// The display's usable bounds (less the desktop's panels) in layer pixels; without a display,
// the classic 1024 x 768.
RECT backendWorkArea() {
    std::string why;
    SDL_Rect bounds;
    if (!sdlVideoReady(&why) || SDL_GetDisplayUsableBounds(0, &bounds) != 0)
        return {0, 0, 1024, 768};
    const int factor = sdlDisplayScale();
    return {bounds.x / factor, bounds.y / factor, (bounds.x + bounds.w) / factor,
            (bounds.y + bounds.h) / factor};
}

bool sdlVideoReady(std::string *why) {
    if (!attempted) {
        attempted = true;
        // The program decides when it ends: no SIGINT-to-quit translation, no quit when the
        // last window closes.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
        // A click that activates a window also reaches the control under it, as on Windows.
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        // The windows are small: plain X11 (shared memory) images present them faster than an
        // OpenGL context behind each one, and cost nothing to set up.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        sdlWatchX11Errors();
        ready = startVideo(&failure);
        if (ready) {
            atexit(sdlShutdown);
            ScaleSources sources;
            sources.setting = getenv("QUILLMERE_SCALE");
            sources.gdkScale = getenv("GDK_SCALE");
            if (SDL_GetDisplayDPI(0, &sources.displayDpi, nullptr, nullptr) != 0)
                sources.displayDpi = 0.0f;
#ifdef QUILLMERE_SDL_X11
            if (usingX11()) {
                Display *display = XOpenDisplay(nullptr);
                windowManager = display && x11WindowManagerRunning(display);
                if (display) {
                    sources.resourceDpi = x11ResourceDpi(display);
                    XCloseDisplay(display);
                }
            }
#endif
            scale = chooseDisplayScale(sources);
        }
    }
    if (!ready && why)
        *why = failure;
    return ready;
}

int sdlDisplayScale() {
    return scale;
}

bool sdlWindowManagerPresent() {
    return windowManager;
}

bool sdlMapIconified(SDL_Window *window) {
#ifdef QUILLMERE_SDL_X11
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!usingX11() || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    // ICCCM: a window mapped with the initial state Iconic goes straight to the taskbar.
    Display *display = info.info.x11.display;
    Window xwindow = info.info.x11.window;
    XWMHints *hints = XGetWMHints(display, xwindow);
    XWMHints fresh{};
    XWMHints *use = hints ? hints : &fresh;
    use->flags |= StateHint;
    use->initial_state = IconicState;
    XSetWMHints(display, xwindow, use);
    if (hints)
        XFree(hints);
    XMapWindow(display, xwindow);
    XFlush(display);
    return true;
#else
    (void)window;
    return false;
#endif
}

void sdlMarkDialog(SDL_Window *window) {
#ifdef QUILLMERE_SDL_X11
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!usingX11() || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    Display *display = info.info.x11.display;
    Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, info.info.x11.window, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(&dialog), 1);
    // Flags, functions and decorations as Motif's MwmUtil.h numbers them; Wine asks the same
    // for such a window. They replace SDL's "all decorations, any function".
    enum { hintsFunctions = 1, hintsDecorations = 2 };
    enum { functionMove = 4, functionClose = 32 };
    enum { decorBorder = 2, decorTitle = 8, decorMenu = 16 };
    long hints[5] = {hintsFunctions | hintsDecorations, functionMove | functionClose,
                     decorBorder | decorTitle | decorMenu, 0, 0};
    Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, info.info.x11.window, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(hints), 5);
#else
    (void)window;
#endif
}
