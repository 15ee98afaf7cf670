// The SDL backend's connection to the desktop: video start-up, the display scale and what the
// desktop's window manager can do.
#pragma once

#include <SDL.h>
#include <string>

// Starts SDL video on first use. False (with SDL's reason in *why) when there is no usable
// display; the answer does not change afterwards.
bool sdlVideoReady(std::string *why);

// The integer factor between the layer's pixels and the desktop's: from QUILLMERE_SCALE when
// that holds a whole number from 1 to 8, otherwise from the display's dots per inch.
int sdlDisplayScale();
// The rule behind it: a setting (may be null) and the display's DPI (0 when unknown).
int chooseDisplayScale(const char *setting, float dpi);

// Whether a window manager runs that can minimise windows (on X11 one may be missing).
bool sdlWindowManagerPresent();

// Maps a window iconified where the platform allows that without showing it first; returns
// false when it cannot, and the caller shows and then minimises it.
bool sdlMapIconified(SDL_Window *window);

// Marks a window, before it is first mapped, as a dialog for the window manager
// (_NET_WM_WINDOW_TYPE_DIALOG on X11): no maximise action, no taskbar entry of its own.
void sdlMarkDialog(SDL_Window *window);
