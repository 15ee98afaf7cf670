// The SDL backend's connection to the desktop: video start-up, the display scale and what the
// desktop's window manager can do.
#pragma once

#include <SDL.h>
#include <string>

// Starts SDL video on first use. False (with SDL's reason in *why) when there is no usable
// display; the answer does not change afterwards.
bool sdlVideoReady(std::string *why);

// Stops the audio and quits SDL, at exit (or at the end of a test that started the video).
void sdlShutdown();

// The integer factor between the layer's pixels and the desktop's, chosen once at start-up.
int sdlDisplayScale();

// What the scale is chosen from, in this order: QUILLMERE_SCALE and then GDK_SCALE, each when
// it holds a whole number from 1 to 8 (GDK_SCALE is the user's explicit choice for GTK
// programs); then the desktop's Xft.dpi resource (96 for 1, 192 for 2, rounded); then the DPI
// that SDL measures for the display (2 from 168 DPI). A text may be null, a DPI 0 when unknown.
struct ScaleSources {
    const char *setting = nullptr;  // QUILLMERE_SCALE
    const char *gdkScale = nullptr; // GDK_SCALE
    float resourceDpi = 0.0f;       // Xft.dpi
    float displayDpi = 0.0f;        // SDL_GetDisplayDPI
};
int chooseDisplayScale(const ScaleSources &sources);

// Whether a window manager runs that can minimise windows (on X11 one may be missing).
bool sdlWindowManagerPresent();

// Maps a window iconified where the platform allows that without showing it first; returns
// false when it cannot, and the caller shows and then minimises it.
bool sdlMapIconified(SDL_Window *window);

// Marks a window, before it is first mapped, as a dialog for the window manager
// (_NET_WM_WINDOW_TYPE_DIALOG on X11): no taskbar entry of its own. It asks for what a Win32
// modal dialog with a caption and a system menu offers (_MOTIF_WM_HINTS): title, border and
// window menu; moving and closing, no minimising, maximising or resizing.
void sdlMarkDialog(SDL_Window *window);
