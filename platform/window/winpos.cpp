// Showing and placing windows: ShowWindow and SetWindowPos, which expose what they uncover and
// what they show, and tell the backend about top-level windows.
#include <algorithm>

#include "platform/window/message.h"
#include "platform/window/nonclient.h"
#include "platform/window/paint.h"
#include "platform/window/winevent.h"

BOOL WINAPI ShowWindow(HWND handle, int showCommand) {
    Window *window = findWindow(handle);
    if (!window) {
        return FALSE;
    }
    bool wasVisible = (window->style & WS_VISIBLE) != 0;
    bool wasIconic = window->iconic;
    bool show = showCommand != SW_HIDE;
    bool iconic = window->iconic;
    if (!window->isChild()) {
        if (showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINIMIZED ||
            showCommand == SW_SHOWMINNOACTIVE) {
            iconic = true;
        } else if (showCommand == SW_SHOWNORMAL || showCommand == SW_RESTORE ||
                   showCommand == SW_SHOWDEFAULT) {
            iconic = false;
        }
    }
    if (show == wasVisible && iconic == wasIconic) {
        return wasVisible;
    }
    if (!show) {
        // What the window covered shows again; the focus goes to its parent.
        RECT covered{0, 0, 0, 0};
        Window *top = topLevelOf(window);
        if (window->isChild() && isShowing(window)) {
            covered = visibleClientOnSurface(window);
        }
        window->style &= ~WS_VISIBLE;
        dropFocusAndCapture(handle, window->isChild() ? window->parent : nullptr);
        if (window->isChild() && top) {
            exposeSurfaceRect(top, covered);
        } else if (!window->isChild()) {
            SendMessageA(handle, WM_CANCELMODE, 0, 0); // an open menu closes
            notifyBackend(findWindow(handle));
        }
        SendMessageA(handle, WM_SHOWWINDOW, FALSE, 0);
        NotifyWinEvent(EVENT_OBJECT_HIDE, handle, OBJID_WINDOW, CHILDID_SELF);
        return wasVisible;
    }
    window->style |= WS_VISIBLE;
    window->iconic = iconic;
    SendMessageA(handle, WM_SHOWWINDOW, TRUE, 0);
    window = findWindow(handle);
    if (!window) {
        return wasVisible;
    }
    if (!window->isChild()) {
        if (!iconic) {
            raiseTopLevel(handle);
        }
        notifyBackend(window);
        if (iconic && isDescendant(handle, GetFocus())) {
            SetFocus(nullptr);
        }
    }
    exposeWindow(window);
    NotifyWinEvent(EVENT_OBJECT_SHOW, handle, OBJID_WINDOW, CHILDID_SELF);
    return wasVisible;
}

BOOL WINAPI SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height,
                         UINT flags) {
    Window *window = findWindow(handle);
    if (!window) {
        return FALSE;
    }
    RECT old = window->rect;
    if (flags & SWP_NOMOVE) {
        x = old.left;
        y = old.top;
    }
    if (flags & SWP_NOSIZE) {
        width = old.right - old.left;
        height = old.bottom - old.top;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
    RECT covered = window->isChild() ? visibleClientOnSurface(window) : RECT{0, 0, 0, 0};
    window->rect = {x, y, x + width, y + height};
    bool moved = old.left != x || old.top != y;
    bool sized = old.right - old.left != width || old.bottom - old.top != height;
    if (!window->isChild()) {
        if (!(flags & SWP_NOZORDER) && insertAfter == HWND_TOP) {
            raiseTopLevel(handle);
        }
        resizeSurface(window);
    }
    if (moved || sized) {
        notifyBackend(window);
        if (sized) {
            SIZE size = clientSize(window);
            SendMessageA(handle, WM_SIZE, 0, MAKELPARAM(size.cx, size.cy));
        }
        if (moved) {
            SendMessageA(handle, WM_MOVE, 0, 0);
        }
    }
    if (!(flags & SWP_NOREDRAW) && (window = findWindow(handle)) != nullptr) {
        if (window->isChild()) {
            exposeSurfaceRect(topLevelOf(window), covered);
        }
        exposeWindow(window);
    }
    if (flags & SWP_SHOWWINDOW) {
        ShowWindow(handle, SW_SHOWNA);
    } else if (flags & SWP_HIDEWINDOW) {
        ShowWindow(handle, SW_HIDE);
    }
    return TRUE;
}
