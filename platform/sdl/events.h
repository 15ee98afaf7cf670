// Turns SDL events into the layer's input.
#pragma once

#include <SDL.h>

#include "platform/backend.h"

// Translates one SDL event for the window it was made in, in the layer's pixels (desktop
// pixels divided by scale). Returns how many input events it wrote to out (at most 4).
int translateSdlEvent(const SDL_Event &event, HWND topLevel, int scale, SDL_Keymod modifiers,
                      InputEvent out[4]);
