// Geometry: the classic non-client metrics (caption 19, fixed frame 3, sizing frame 4, menu bar
// 19 pixels), so that outer sizes relate to client sizes as on Windows, and the mapping of
// client areas onto a top-level window's surface and onto the screen.
#include <algorithm>

#include "platform/gdi/rect.h"
#include "platform/window/nonclient.h"

namespace {

enum { captionHeight = 19, sizingFrame = 4, fixedFrame = 3, menuHeight = 19 };

bool hasMenuBar(const Window *window) {
    return !window->isChild() && window->menuBar;
}

} // namespace

RECT nonClientInsets(DWORD style, DWORD exStyle, bool hasMenu) {
    if (style & WS_CHILD) {
        return {0, 0, 0, 0};
    }
    // Outer edge, then the sizing part of a thick frame, then the inner border line.
    int frame = 0;
    if ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_THICKFRAME | WS_DLGFRAME))) {
        frame = 2;
    }
    if (style & WS_THICKFRAME) {
        frame += sizingFrame - fixedFrame;
    }
    if ((style & (WS_BORDER | WS_DLGFRAME)) || (exStyle & WS_EX_DLGMODALFRAME)) {
        frame += 1;
    }
    int top = frame;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        top += captionHeight;
    }
    if (hasMenu) {
        top += menuHeight;
    }
    return {frame, top, frame, frame};
}

int menuBarHeight(const Window *topLevel) {
    return topLevel && hasMenuBar(topLevel) ? menuHeight : 0;
}

SIZE clientSize(const Window *window) {
    if (!window) {
        return {0, 0};
    }
    RECT insets = nonClientInsets(window->style, window->exStyle, hasMenuBar(window));
    LONG width = window->rect.right - window->rect.left - insets.left - insets.right;
    LONG height = window->rect.bottom - window->rect.top - insets.top - insets.bottom;
    return {std::max<LONG>(width, 0), std::max<LONG>(height, 0)};
}

POINT clientOriginOnSurface(const Window *window) {
    if (!window) {
        return {0, 0};
    }
    if (!window->isChild()) {
        return {0, menuBarHeight(window)};
    }
    POINT origin = clientOriginOnSurface(findWindow(window->parent));
    return {origin.x + window->rect.left, origin.y + window->rect.top};
}

RECT visibleClientOnSurface(const Window *window) {
    if (!isShowing(window)) {
        return {0, 0, 0, 0};
    }
    POINT origin = clientOriginOnSurface(window);
    SIZE size = clientSize(window);
    RECT area{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
    if (window->isChild()) {
        return intersectRects(area, visibleClientOnSurface(findWindow(window->parent)));
    }
    return intersectRects(area, {0, 0, window->surface.width, window->surface.height});
}

POINT surfaceOriginOnScreen(const Window *topLevel) {
    RECT insets = nonClientInsets(topLevel->style, topLevel->exStyle, hasMenuBar(topLevel));
    return {topLevel->rect.left + insets.left,
            topLevel->rect.top + insets.top - menuBarHeight(topLevel)};
}

POINT surfaceOriginOnScreen(HWND handle) {
    Window *window = findWindow(handle);
    return window && !window->isChild() ? surfaceOriginOnScreen(window) : POINT{0, 0};
}

void resizeSurface(Window *topLevel) {
    SIZE size = clientSize(topLevel);
    int height = menuBarHeight(topLevel) + size.cy;
    if (topLevel->surface.width != size.cx || topLevel->surface.height != height) {
        topLevel->surface.resize(size.cx, height, 0xC0C0C0);
        topLevel->surfaceDirty = true;
    }
}

void attachMenuBar(Window *topLevel, HWND menuBar) {
    Window *bar = findWindow(menuBar);
    if (!bar) {
        return;
    }
    auto &children = topLevel->children;
    children.erase(std::remove(children.begin(), children.end(), menuBar), children.end());
    bar->rect = {0, -menuHeight, 0, 0};
    topLevel->menuBar = menuBar;
    resizeSurface(topLevel);
    notifyBackend(topLevel);
}

BOOL WINAPI GetWindowRect(HWND handle, LPRECT rect) {
    Window *window = findWindow(handle);
    if (!rect) {
        return FALSE;
    }
    if (!window) {
        *rect = {0, 0, 0, 0};
        return FALSE;
    }
    if (!window->isChild()) {
        *rect = window->rect;
        return TRUE;
    }
    POINT origin{0, 0};
    ClientToScreen(handle, &origin);
    SIZE size = clientSize(window);
    *rect = {origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND handle, LPRECT rect) {
    Window *window = findWindow(handle);
    if (!rect) {
        return FALSE;
    }
    if (!window) {
        *rect = {0, 0, 0, 0};
        return FALSE;
    }
    SIZE size = clientSize(window);
    *rect = {0, 0, size.cx, size.cy};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND handle, LPPOINT point) {
    Window *window = findWindow(handle);
    if (!window || !point) {
        return FALSE;
    }
    Window *top = topLevelOf(window);
    POINT surface = surfaceOriginOnScreen(top);
    POINT origin = clientOriginOnSurface(window);
    point->x += surface.x + origin.x;
    point->y += surface.y + origin.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND handle, LPPOINT point) {
    POINT origin{0, 0};
    if (!point || !ClientToScreen(handle, &origin)) {
        return FALSE;
    }
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}
