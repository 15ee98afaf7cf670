// Keyboard translation for the SDL backend: SDL key codes to the layer's VK_ codes.
#pragma once

#include <SDL.h>

// The VK_ code of an SDL key ('A'..'Z' and '0'..'9' for letters and digits), or 0 for a key the
// layer does not use.
int virtualKeyForSdlKey(SDL_Keycode key);
