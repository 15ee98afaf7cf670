// The Button class: push and default push buttons, 3-D or flat, with their pressed, focused,
// default and disabled looks. A click is a release inside the button after a press on it, or
// the space bar released while it has the focus.
#include "platform/controls/controls.h"
#include "platform/gdi/rect.h"
#include "platform/window/edges.h"
#include "platform/window/paint.h"
#include "platform/window/winevent.h"

namespace {

const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), grey = RGB(128, 128, 128);

struct ButtonState : WindowExtra {
    bool pressed = false;   // drawn pushed in
    bool tracking = false;  // the left button went down on it and is held
    bool spaceDown = false; // the space bar went down while it had the focus
};

ButtonState &stateOf(Window *button) {
    return extraOf<ButtonState>(button);
}

bool isDefaultStyle(const Window *button) {
    return (button->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

void paintButton(Window *button, HDC dc) {
    RECT r;
    GetClientRect(button->handle, &r);
    bool pressed = stateOf(button).pressed;
    bool isDefault = isDefaultStyle(button);
    fillWithSysColor(dc, r, COLOR_BTNFACE);
    RECT inner = r;
    if (isDefault) {
        drawEdge(dc, inner, black, black);
        inner = deflateRect(inner, 1);
    }
    if (button->style & BS_FLAT) {
        // Flat buttons look the same pushed or not; only the label moves.
        drawEdge(dc, inner, black, black);
        drawEdge(dc, deflateRect(inner, 1), white, white);
    } else if (pressed && isDefault) {
        drawEdge(dc, inner, grey, grey);
    } else if (pressed) {
        drawEdge(dc, inner, black, white);
        RECT shade = deflateRect(inner, 1);
        drawHorizontalLine(dc, shade.left, shade.right - 1, shade.top, grey);
        drawVerticalLine(dc, shade.left, shade.top, shade.bottom - 1, grey);
    } else {
        drawEdge(dc, inner, white, black);
        RECT shade = deflateRect(inner, 1);
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
        // The button's own state: a button inside a disabled dialog keeps its black label.
        if (!(button->style & WS_DISABLED)) {
            SetTextColor(dc, black);
        } else {
            SetTextColor(dc, white);
            drawTextAt(dc, x + 1, y + 1, button->text.c_str(), length);
            SetTextColor(dc, grey);
        }
        drawTextAt(dc, x, y, button->text.c_str(), length);
        SelectObject(dc, old);
    }
    // Drawn on every focused button, labelled or not, so that the focus always shows.
    if (GetFocus() == button->handle) {
        invertDottedFrame(dc, deflateRect(inner, 2)); // as DrawFocusRect
    }
}

// Buttons show a change of state at once, not at the next paint. The picture comes through the
// window's own WM_PAINT, so that a subclass that paints the button keeps its picture.
void repaintNow(HWND handle) {
    Window *button = findWindow(handle);
    if (button && isShowing(button)) {
        redrawNow(handle);
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
    return rectContains(r, static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point)));
}

void setPressed(HWND handle, bool pressed) {
    SendMessageA(handle, BM_SETSTATE, pressed ? TRUE : FALSE, 0);
}

} // namespace

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
    case WM_GETDLGCODE:
        return DLGC_BUTTON | (isDefaultStyle(button) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_LBUTTONDOWN:
        SetCapture(handle);
        SetFocus(handle);
        if ((button = findWindow(handle)) == nullptr) {
            return 0;
        }
        stateOf(button).tracking = true;
        setPressed(handle, true);
        return 0;
    case WM_MOUSEMOVE:
        if (stateOf(button).tracking) {
            setPressed(handle, inside(handle, lParam));
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!stateOf(button).tracking) {
            return 0;
        }
        stateOf(button).tracking = false;
        bool released = inside(handle, lParam);
        setPressed(handle, false);
        ReleaseCapture();
        if (released && findWindow(handle)) {
            click(handle);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (stateOf(button).tracking && reinterpret_cast<HWND>(lParam) != handle) {
            stateOf(button).tracking = false;
            setPressed(handle, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !stateOf(button).spaceDown) {
            stateOf(button).spaceDown = true;
            setPressed(handle, true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && stateOf(button).spaceDown) {
            stateOf(button).spaceDown = false;
            setPressed(handle, false);
            click(handle);
        }
        return 0;
    case WM_KILLFOCUS:
        if (stateOf(button).spaceDown) {
            stateOf(button).spaceDown = false;
            stateOf(button).pressed = false;
        }
        if (stateOf(button).tracking && GetCapture() == handle) {
            ReleaseCapture();
        }
        repaintNow(handle);
        return 0;
    case WM_SETFOCUS:
    case WM_ENABLE:
        repaintNow(handle);
        return 0;
    case WM_SETTEXT:
        DefWindowProcA(handle, message, wParam, lParam);
        repaintNow(handle);
        return TRUE;
    case BM_CLICK:
        click(handle);
        return 0;
    case BM_GETSTATE:
        return (stateOf(button).pressed ? BST_PUSHED : 0) | (GetFocus() == handle ? BST_FOCUS : 0);
    case BM_SETSTATE:
        if (stateOf(button).pressed != (wParam != 0)) {
            stateOf(button).pressed = wParam != 0;
            repaintNow(handle);
            NotifyWinEvent(EVENT_OBJECT_STATECHANGE, handle, OBJID_CLIENT, CHILDID_SELF);
        }
        return 0;
    case BM_SETSTYLE:
        // The type only; the new look shows at the next paint, as in USER32.
        button->style = (button->style & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
        if (lParam) {
            invalidateWindow(button, nullptr, true);
        }
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, handle, OBJID_CLIENT, CHILDID_SELF);
        return 0;
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}
