// The SDL windows that stand for the layer's top-level windows ("hosts").
#pragma once

#include <SDL.h>

#include "platform/win32.h"

// The top-level window shown in an SDL window, or null.
HWND sdlTopLevelForWindowId(Uint32 windowId);

// Keeps a host in step with what the desktop did to it: shows the pixels again after an
// exposure, and minimises again a window the layer keeps minimised.
void sdlHostWindowEvent(const SDL_WindowEvent &event);

// A click landed on a window that takes no input while a modal dialog runs: bring the most
// recent enabled visible window forward, as the desktop does for modal dialogs.
void sdlRaiseEnabledHost();
