// The default window procedure: text, font, background and closing for every window that does
// not handle them itself, and the non-client area: a top-level window's menu bar, made as the
// window is created from the menu it was created with or its class's, which gets the window's
// non-client paints and clicks, the keys that may open it, and WM_CANCELMODE.
#include <string.h>

#include <algorithm>

#include "platform/window/edges.h"
#include "platform/window/nonclient.h"
#include "platform/window/paint.h"
#include "platform/window/winevent.h"

namespace {

// A menu named by its MENU resource number that cannot be made fails the window only when it
// was asked for at creation; a class's menu that cannot be made leaves the window without one.
bool createMenuBar(HWND handle, const CREATESTRUCTA *create) {
    Window *window = findWindow(handle);
    uintptr_t asked = reinterpret_cast<uintptr_t>(create->hMenu);
    uint16_t id = asked ? static_cast<uint16_t>(asked) : window->windowClass->menuId;
    if (!id) {
        return true;
    }
    HWND bar = CreateWindowExA(0, MAKEINTRESOURCEA(menuClassAtom), nullptr, WS_CHILD, 0, 0, 0, 0,
                               handle, nullptr, window->instance,
                               reinterpret_cast<LPVOID>(static_cast<uintptr_t>(id)));
    if (bar && (window = findWindow(handle)) != nullptr) {
        attachMenuBar(window, bar);
    }
    return bar || !asked;
}

// The menu bar that takes a window's system keys: its top-level window's.
HWND menuBarFor(HWND handle) {
    Window *top = topLevelOf(findWindow(handle));
    return top && top->menuBar != handle ? top->menuBar : nullptr;
}

} // namespace

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window *window = findWindow(handle);
    if (!window) {
        return 0;
    }
    switch (message) {
    case WM_NCCREATE:
        return window->isChild() ||
               createMenuBar(handle, reinterpret_cast<const CREATESTRUCTA *>(lParam));
    case WM_NCPAINT:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
    case WM_CANCELMODE:
        if (window->menuBar) {
            SendMessageA(window->menuBar, message, wParam, lParam);
        }
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (HWND bar = menuBarFor(handle)) {
            SendMessageA(bar, message, wParam, lParam);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(handle, &paint);
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_ERASEBKGND: {
        uintptr_t brush = reinterpret_cast<uintptr_t>(
            window->windowClass ? window->windowClass->background : nullptr);
        if (brush == 0 || brush > 31 || !wParam) {
            return 0;
        }
        RECT client;
        GetClientRect(handle, &client);
        fillWithSysColor(reinterpret_cast<HDC>(wParam), client, static_cast<int>(brush - 1));
        return 1;
    }
    case WM_CLOSE:
        DestroyWindow(handle);
        return 0;
    case WM_SETTEXT:
        window->text = lParam ? reinterpret_cast<const char *>(lParam) : "";
        notifyBackend(window);
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, handle, OBJID_WINDOW, CHILDID_SELF);
        return TRUE;
    case WM_GETTEXT: {
        char *buffer = reinterpret_cast<char *>(lParam);
        if (!buffer || wParam == 0) {
            return 0;
        }
        size_t count = std::min<size_t>(window->text.size(), wParam - 1);
        memcpy(buffer, window->text.data(), count);
        buffer[count] = 0;
        return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->text.size());
    case WM_SETFONT:
        window->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) {
            invalidateWindow(window, nullptr, true);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(window->font);
    default:
        return 0;
    }
}
