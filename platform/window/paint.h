// Painting: update regions and their erasing, the uncovering of surface areas, and the
// presentation of painted surfaces.
#pragma once

#include "platform/window/window.h"

void invalidateWindow(Window *window, const RECT *clientRect, bool erase);
// The area of a top-level surface was uncovered: the windows there become invalid and erase
// their background at once, parent first; the paint follows.
void exposeSurfaceRect(Window *topLevel, const RECT &surfaceRect);
// A window shown or moved: a top-level window gets WM_NCPAINT, and its area is uncovered.
void exposeWindow(Window *window);
// Sends WM_PAINT to every invalid, showing window, parent first; true when any was painted.
bool paintPendingWindows();
void presentDirtySurfaces();
// Repaints a window at once through its WM_PAINT (a control's new state); the pixels are
// presented with the next presentation (UpdateWindow, Sleep, or the modal loop going idle).
void redrawNow(HWND window);
// The window of a context from BeginPaint or GetDC, null for any other.
HWND WINAPI WindowFromDC(HDC dc);
