// Painting: update rectangles with their erase flags, BeginPaint and EndPaint, invalidation
// (a parent without WS_CLIPCHILDREN takes its visible children along), UpdateWindow, window
// device contexts, and the uncovering of surface areas.
#include "platform/window/paint.h"

#include <map>

#include "platform/gdi/rect.h"
#include "platform/window/nonclient.h"

namespace {

std::map<HDC, HWND> windowDCs; // the window of each context that the window manager made

// A device context on the window's client area, clipped to a client rectangle and to what of
// the window shows.
HDC clientDC(Window *window, const RECT &clientClip) {
    Window *top = topLevelOf(window);
    POINT origin = clientOriginOnSurface(window);
    RECT clip =
        intersectRects(offsetRect(clientClip, origin.x, origin.y), visibleClientOnSurface(window));
    top->surfaceDirty = true;
    HDC dc = createSurfaceDC(&top->surface, origin, clip);
    windowDCs[dc] = window->handle;
    return dc;
}

void releaseClientDC(HDC dc) {
    windowDCs.erase(dc);
    releaseSurfaceDC(dc);
}

RECT clientBounds(const Window *window) {
    SIZE size = clientSize(window);
    return {0, 0, size.cx, size.cy};
}

void eraseNow(HWND handle) {
    Window *window = findWindow(handle);
    if (!window) {
        return;
    }
    if (window->erasePending && !rectIsEmpty(window->update) && isShowing(window)) {
        HDC dc = clientDC(window, window->update);
        LRESULT erased = SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        releaseClientDC(dc);
        if ((window = findWindow(handle)) != nullptr && erased) {
            window->erasePending = false;
        }
    }
    if ((window = findWindow(handle)) != nullptr) {
        std::vector<HWND> children = window->children;
        for (HWND child : children) {
            eraseNow(child);
        }
    }
}

void markExposed(Window *window, const RECT &surfaceRect) {
    if (!isShowing(window)) {
        return;
    }
    RECT area = intersectRects(surfaceRect, visibleClientOnSurface(window));
    if (!rectIsEmpty(area)) {
        POINT origin = clientOriginOnSurface(window);
        window->update = uniteRects(window->update, offsetRect(area, -origin.x, -origin.y));
        window->erasePending = true;
    }
    for (HWND child : window->children) {
        if (Window *c = findWindow(child)) {
            markExposed(c, surfaceRect);
        }
    }
}

bool anyInvalid(const Window *window) {
    if (!isShowing(window)) {
        return false;
    }
    if (!rectIsEmpty(window->update)) {
        return true;
    }
    for (HWND child : window->children) {
        if (anyInvalid(findWindow(child))) {
            return true;
        }
    }
    return false;
}

// WM_PAINT to the window if it is invalid, then to its children.
void paintTree(HWND handle) {
    Window *window = findWindow(handle);
    if (!window || !isShowing(window)) {
        return;
    }
    if (!rectIsEmpty(window->update)) {
        SendMessageA(handle, WM_PAINT, 0, 0);
        // A paint that did not validate would come back for ever.
        if ((window = findWindow(handle)) != nullptr) {
            window->update = {0, 0, 0, 0};
            window->erasePending = false;
        }
    }
    if ((window = findWindow(handle)) != nullptr) {
        std::vector<HWND> children = window->children;
        for (HWND child : children) {
            paintTree(child);
        }
    }
}

// An open drop-down of the menu bar lies over the client area: it is drawn again over what the
// client painted before the pixels are shown.
void present(Window *top) {
    if (top && top->surfaceDirty && isShowing(top)) {
        if (top->menuBar) {
            SendMessageA(top->menuBar, WM_PAINT, 0, 0);
        }
        top->surfaceDirty = false;
        backendPresent(top->handle);
    }
}

} // namespace

void redrawNow(HWND handle) {
    if (Window *window = findWindow(handle)) {
        invalidateWindow(window, nullptr, false);
        eraseNow(handle);
        paintTree(handle);
    }
}

void invalidateWindow(Window *window, const RECT *clientRect, bool erase) {
    RECT area = clientBounds(window);
    if (clientRect) {
        area = intersectRects(area, *clientRect);
    }
    if (rectIsEmpty(area)) {
        return;
    }
    window->update = uniteRects(window->update, area);
    window->erasePending = window->erasePending || erase;
    if (window->style & WS_CLIPCHILDREN) {
        return;
    }
    for (HWND child : window->children) {
        Window *c = findWindow(child);
        if (c && (c->style & WS_VISIBLE)) {
            RECT inChild = offsetRect(area, -c->rect.left, -c->rect.top);
            invalidateWindow(c, &inChild, erase);
        }
    }
}

void exposeSurfaceRect(Window *top, const RECT &surfaceRect) {
    if (!top || rectIsEmpty(surfaceRect) || !isShowing(top)) {
        return;
    }
    markExposed(top, surfaceRect);
    eraseNow(top->handle);
}

void exposeWindow(Window *window) {
    Window *top = topLevelOf(window);
    if (!top || !isShowing(window)) {
        return;
    }
    if (window == top) {
        HWND handle = top->handle;
        SendMessageA(handle, WM_NCPAINT, 0, 0);
        if (!(window = top = findWindow(handle))) {
            return;
        }
    }
    exposeSurfaceRect(top, visibleClientOnSurface(window));
}

bool paintPendingWindows() {
    bool painted = false;
    std::vector<HWND> order = topLevelOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Window *top = findWindow(*it);
        if (top && anyInvalid(top)) {
            eraseNow(*it);
            paintTree(*it);
            painted = true;
        }
    }
    return painted;
}

void presentDirtySurfaces() {
    std::vector<HWND> order = topLevelOrder();
    for (HWND handle : order) {
        present(findWindow(handle));
    }
}

BOOL WINAPI InvalidateRect(HWND handle, const RECT *rect, BOOL erase) {
    Window *window = findWindow(handle);
    if (!window) {
        return FALSE;
    }
    invalidateWindow(window, rect, erase != FALSE);
    return TRUE;
}

BOOL WINAPI InvalidateRgn(HWND handle, HRGN region, BOOL erase) {
    // No call of this subset makes regions: only the whole client area can be meant.
    if (region) {
        return FALSE;
    }
    return InvalidateRect(handle, nullptr, erase);
}

BOOL WINAPI UpdateWindow(HWND handle) {
    Window *window = findWindow(handle);
    if (!window) {
        return FALSE;
    }
    HWND top = topLevelOf(handle);
    eraseNow(handle);
    paintTree(handle);
    present(findWindow(top));
    return TRUE;
}

HDC WINAPI BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
    Window *window = findWindow(handle);
    if (!paint) {
        return nullptr;
    }
    *paint = PAINTSTRUCT{};
    if (!window) {
        return nullptr;
    }
    RECT update = window->update;
    bool erase = window->erasePending;
    window->update = {0, 0, 0, 0};
    window->erasePending = false;
    HDC dc = clientDC(window, update);
    if (erase && !rectIsEmpty(update)) {
        paint->fErase =
            SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    }
    paint->hdc = dc;
    paint->rcPaint = update;
    return dc;
}

BOOL WINAPI EndPaint(HWND handle, const PAINTSTRUCT *paint) {
    if (!paint) {
        return FALSE;
    }
    if (paint->hdc) {
        releaseClientDC(paint->hdc);
    }
    return findWindow(handle) ? TRUE : FALSE;
}

HDC WINAPI GetDC(HWND handle) {
    Window *window = findWindow(handle);
    if (!window) {
        return nullptr;
    }
    return clientDC(window, clientBounds(window));
}

HWND WINAPI WindowFromDC(HDC dc) {
    auto found = windowDCs.find(dc);
    return found == windowDCs.end() ? nullptr : found->second;
}

int WINAPI ReleaseDC(HWND, HDC dc) {
    if (!dc) {
        return 0;
    }
    releaseClientDC(dc);
    return 1;
}

void exposeTopLevel(HWND handle) {
    Window *window = findWindow(handle);
    if (window && !window->isChild()) {
        exposeWindow(window);
    }
}
