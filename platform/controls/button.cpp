// The Button class: push and default push buttons, 3-D or flat, with their pressed, focused,
// default and disabled looks. A click is a release inside the button after a press on it, or
// the space bar released while it has the focus.
#include "platform/window/window.h"

namespace {

const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), grey = RGB(128, 128, 128);

RECT deflate(const RECT &r, int by) {
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

bool drawsAsDefault(Window *button) {
    Window *parent = findWindow(button->parent);
    if (parent && parent->kind() == WindowKind::Dialog) {
        return currentDefaultButton(parent) == button->handle;
    }
    return (button->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

void paintButton(Window *button, HDC dc) {
    RECT r;
    GetClientRect(button->handle, &r);
    bool pressed = button->button.pressed;
    bool isDefault = drawsAsDefault(button);
    fillWithSysColor(dc, r, COLOR_BTNFACE);
    RECT inner = r;
    if (isDefault) {
        drawEdge(dc, inner, black, black);
        inner = deflate(inner, 1);
    }
    if (button->style & BS_FLAT) {
        drawEdge(dc, inner, black, black);
        if (pressed) {
            drawEdge(dc, deflate(inner, 1), grey, grey);
        }
    } else if (pressed) {
        drawEdge(dc, inner, grey, grey);
    } else {
        drawEdge(dc, inner, white, black);
        RECT shade = deflate(inner, 1);
        drawHorizontalLine(dc, shade.left, shade.right, shade.bottom - 1, grey);
        drawVerticalLine(dc, shade.right - 1, shade.top, shade.bottom, grey);
    }
    if (!(button->style & BS_BITMAP) && !button->text.empty()) {
        HFONT font = button->font ? button->font : guiFont();
        HGDIOBJ old = SelectObject(dc, font);
        FontMetrics metrics{0, 0, 0};
        getFontMetrics(font, &metrics);
        int length = static_cast<int>(button->text.size());
        int x = (r.right - textWidth(font, button->text.c_str(), length)) / 2 + (pressed ? 1 : 0);
        int y = (r.bottom - metrics.height) / 2 + (pressed ? 1 : 0);
        SetBkMode(dc, TRANSPARENT);
        if (isEnabledTree(button)) {
            SetTextColor(dc, black);
        } else {
            SetTextColor(dc, white);
            drawTextAt(dc, x + 1, y + 1, button->text.c_str(), length);
            SetTextColor(dc, grey);
        }
        drawTextAt(dc, x, y, button->text.c_str(), length);
        SelectObject(dc, old);
    }
    if (GetFocus() == button->handle) {
        drawDottedFrame(dc, deflate(r, isDefault ? 4 : 3), black);
    }
}

void click(HWND handle) {
    Window *button = findWindow(handle);
    if (button && isShowing(button) && isEnabledTree(button)) {
        SendMessageA(button->parent, WM_COMMAND, MAKEWPARAM(button->id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(handle));
    }
}

bool inside(HWND handle, LPARAM point) {
    RECT r;
    GetClientRect(handle, &r);
    int x = static_cast<short>(LOWORD(point)), y = static_cast<short>(HIWORD(point));
    return x >= 0 && y >= 0 && x < r.right && y < r.bottom;
}

void setPressed(Window *button, bool pressed) {
    if (button->button.pressed != pressed) {
        button->button.pressed = pressed;
        redrawNow(button->handle);
    }
}

} // namespace

bool isPushButton(const Window *window) {
    if (!window || window->kind() != WindowKind::Button) {
        return false;
    }
    DWORD type = window->style & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

LRESULT CALLBACK buttonProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window *button = findWindow(handle);
    if (!button) {
        return 0;
    }
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(handle, &paint);
        if (dc) {
            paintButton(button, dc);
        }
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(handle);
        if ((button = findWindow(handle)) == nullptr) {
            return 0;
        }
        SetCapture(handle);
        button->button.tracking = true;
        button->button.pressed = false;
        setPressed(button, true);
        return 0;
    case WM_MOUSEMOVE:
        if (button->button.tracking) {
            setPressed(button, inside(handle, lParam));
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!button->button.tracking) {
            return 0;
        }
        button->button.tracking = false;
        bool released = inside(handle, lParam);
        ReleaseCapture();
        if ((button = findWindow(handle)) != nullptr) {
            setPressed(button, false);
            if (released) {
                click(handle);
            }
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (button->button.tracking && reinterpret_cast<HWND>(lParam) != handle) {
            button->button.tracking = false;
            setPressed(button, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !button->button.spaceDown) {
            button->button.spaceDown = true;
            setPressed(button, true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && button->button.spaceDown) {
            button->button.spaceDown = false;
            setPressed(button, false);
            click(handle);
        }
        return 0;
    case WM_SETFOCUS:
        invalidateWindow(button, nullptr, false);
        return 0;
    case WM_KILLFOCUS:
        if (button->button.spaceDown) {
            button->button.spaceDown = false;
            button->button.pressed = false;
        }
        invalidateWindow(button, nullptr, false);
        return 0;
    case WM_ENABLE:
        invalidateWindow(button, nullptr, false);
        return 0;
    case WM_SETTEXT:
        DefWindowProcA(handle, message, wParam, lParam);
        if ((button = findWindow(handle)) != nullptr) {
            invalidateWindow(button, nullptr, false);
        }
        return TRUE;
    case BM_CLICK:
        click(handle);
        return 0;
    case BM_GETSTATE:
        return (button->button.pressed ? BST_PUSHED : 0) | (GetFocus() == handle ? BST_FOCUS : 0);
    case BM_SETSTATE:
        setPressed(button, wParam != 0);
        return 0;
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}
