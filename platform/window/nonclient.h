// Non-client geometry: the classic frame, caption and menu-bar sizes around a top-level
// window's client area, and the mapping of client areas onto the window's surface (menu bar and
// client area) and onto the screen.
#pragma once

#include "platform/window/window.h"

// Thickness of the frame, caption and menu bar around a top-level window's client area.
RECT nonClientInsets(DWORD style, DWORD exStyle, bool hasMenu);
int menuBarHeight(const Window *topLevel);
SIZE clientSize(const Window *window);
// Surface point of the client area's (0, 0), and the visible part of the client area on the
// surface (empty when the window is hidden or outside its ancestors).
POINT clientOriginOnSurface(const Window *window);
RECT visibleClientOnSurface(const Window *window);
// Screen point of the top-level surface's (0, 0).
POINT surfaceOriginOnScreen(const Window *topLevel);
void resizeSurface(Window *topLevel);
// The menu bar's window becomes the top-level window's: it lies above the client area, so that
// its client coordinates are the surface's, and the surface grows by the bar.
void attachMenuBar(Window *topLevel, HWND menuBar);
