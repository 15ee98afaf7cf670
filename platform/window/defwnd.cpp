// The default window procedure: text, font, background and closing for every window that does
// not handle them itself.
#include <string.h>

#include <algorithm>

#include "platform/window/window.h"

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window *window = findWindow(handle);
    if (!window) {
        return 0;
    }
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
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
        if (!window->isChild()) {
            std::string why;
            backendWindowChanged(handle, &why);
        }
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
