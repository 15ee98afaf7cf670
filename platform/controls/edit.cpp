// The Edit class as the program uses it: a single-line, read-only field. Its text can be
// selected with the mouse (press and drag) or the keyboard (arrows, Home, End, with Shift) and
// copied (Ctrl+C, Ctrl+Insert, WM_COPY); typing changes nothing. The text scrolls sideways to
// keep the caret in view.
#include <stdlib.h>

#include <algorithm>

#include "platform/controls/controls.h"
#include "platform/gdi/cp1252.h"
#include "platform/window/edges.h"
#include "platform/window/message.h"
#include "platform/window/paint.h"

namespace {

enum { margin = 1 };

struct EditState : WindowExtra {
    int anchor = 0; // selection runs from anchor to caret
    int caret = 0;
    int scroll = 0; // pixels of text scrolled out at the left
    bool dragging = false;
};

EditState &stateOf(Window *edit) {
    return extraOf<EditState>(edit);
}

HFONT fontOf(const Window *edit) {
    return edit->font ? edit->font : guiFont();
}

int length(const Window *edit) {
    return static_cast<int>(edit->text.size());
}

int offsetOf(const Window *edit, int index) {
    return textWidth(fontOf(edit), edit->text.c_str(), index);
}

int indexAt(Window *edit, int x) {
    int target = x - margin + stateOf(edit).scroll;
    int best = 0, bestDistance = abs(target);
    for (int i = 1; i <= length(edit); ++i) {
        int distance = abs(offsetOf(edit, i) - target);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void keepCaretInView(Window *edit) {
    if (!(edit->style & ES_AUTOHSCROLL)) {
        return;
    }
    RECT r;
    GetClientRect(edit->handle, &r);
    int width = std::max<int>(1, r.right - 2 * margin - 1);
    int caret = offsetOf(edit, stateOf(edit).caret);
    if (caret - stateOf(edit).scroll > width) {
        stateOf(edit).scroll = caret - width;
    } else if (caret < stateOf(edit).scroll) {
        stateOf(edit).scroll = caret;
    }
}

void moveCaret(Window *edit, int caret, bool extend) {
    stateOf(edit).caret = std::max(0, std::min(caret, length(edit)));
    if (!extend) {
        stateOf(edit).anchor = stateOf(edit).caret;
    }
    keepCaretInView(edit);
    invalidateWindow(edit, nullptr, false);
}

void copySelection(Window *edit) {
    int from = std::min(stateOf(edit).anchor, stateOf(edit).caret);
    int to = std::max(stateOf(edit).anchor, stateOf(edit).caret);
    if (to > from) {
        backendSetClipboard(cp1252ToUtf8(edit->text.c_str() + from, to - from));
    }
}

void paintEdit(Window *edit, HDC dc) {
    RECT r;
    GetClientRect(edit->handle, &r);
    fillWithSysColor(dc, r, (edit->style & ES_READONLY) ? COLOR_BTNFACE : COLOR_WINDOW);
    HFONT font = fontOf(edit);
    HGDIOBJ old = SelectObject(dc, font);
    FontMetrics metrics{0, 0, 0};
    getFontMetrics(font, &metrics);
    SetBkMode(dc, TRANSPARENT);
    bool focused = GetFocus() == edit->handle;
    int from = focused ? std::min(stateOf(edit).anchor, stateOf(edit).caret) : 0;
    int to = focused ? std::max(stateOf(edit).anchor, stateOf(edit).caret) : 0;
    const char *text = edit->text.c_str();
    int x = margin - stateOf(edit).scroll;
    COLORREF normal = sysColor(edit->style & WS_DISABLED ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    SetTextColor(dc, normal);
    x += drawTextAt(dc, x, 0, text, from);
    if (to > from) {
        int width = textWidth(font, text + from, to - from);
        fillWithSysColor(dc, {x, 0, x + width, metrics.height}, COLOR_HIGHLIGHT);
        SetTextColor(dc, sysColor(COLOR_HIGHLIGHTTEXT));
        x += drawTextAt(dc, x, 0, text + from, to - from);
        SetTextColor(dc, normal);
    }
    drawTextAt(dc, x, 0, text + to, length(edit) - to);
    if (focused) {
        int caret = margin - stateOf(edit).scroll + offsetOf(edit, stateOf(edit).caret);
        drawVerticalLine(dc, caret, 0, metrics.height, RGB(0, 0, 0));
    }
    SelectObject(dc, old);
}

} // namespace

LRESULT CALLBACK editProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window *edit = findWindow(handle);
    if (!edit) {
        return 0;
    }
    EditState &state = stateOf(edit);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(handle, &paint);
        if (dc) {
            paintEdit(edit, dc);
        }
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_SETTEXT:
        DefWindowProcA(handle, message, wParam, lParam);
        if ((edit = findWindow(handle)) != nullptr) {
            stateOf(edit) = EditState{};
            invalidateWindow(edit, nullptr, false);
        }
        return TRUE;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_CHAR:
        return 0; // read-only: typing changes nothing
    case WM_KEYDOWN: {
        KeyModifiers keys = currentModifiers();
        if (keys.control && (wParam == 'C' || wParam == VK_INSERT)) {
            copySelection(edit);
        } else if (wParam == VK_LEFT) {
            moveCaret(edit, state.caret - 1, keys.shift);
        } else if (wParam == VK_RIGHT) {
            moveCaret(edit, state.caret + 1, keys.shift);
        } else if (wParam == VK_HOME) {
            moveCaret(edit, 0, keys.shift);
        } else if (wParam == VK_END) {
            moveCaret(edit, length(edit), keys.shift);
        }
        return 0;
    }
    case WM_COPY:
        copySelection(edit);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(handle);
        if ((edit = findWindow(handle)) == nullptr) {
            return 0;
        }
        moveCaret(edit, indexAt(edit, static_cast<short>(LOWORD(lParam))),
                  currentModifiers().shift);
        stateOf(edit).dragging = true;
        SetCapture(handle);
        return 0;
    case WM_MOUSEMOVE:
        if (state.dragging) {
            moveCaret(edit, indexAt(edit, static_cast<short>(LOWORD(lParam))), true);
        }
        return 0;
    case WM_LBUTTONUP:
        if (state.dragging) {
            state.dragging = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != handle) {
            state.dragging = false;
        }
        return 0;
    case EM_GETSEL: {
        DWORD from = static_cast<DWORD>(std::min(state.anchor, state.caret));
        DWORD to = static_cast<DWORD>(std::max(state.anchor, state.caret));
        if (wParam) {
            *reinterpret_cast<DWORD *>(wParam) = from;
        }
        if (lParam) {
            *reinterpret_cast<DWORD *>(lParam) = to;
        }
        return MAKELPARAM(from, to);
    }
    case EM_SETSEL: {
        int from = static_cast<int>(static_cast<INT_PTR>(wParam));
        int to = static_cast<int>(lParam);
        if (from == -1) {
            from = to = state.caret; // -1 removes the selection
        }
        if (to < 0) {
            to = length(edit);
        }
        state.anchor = std::max(0, std::min(from, length(edit)));
        moveCaret(edit, to, true);
        return 0;
    }
    case WM_SETFOCUS:
        // A single-line edit shows its focused look at once; the rest waits for a paint.
        invalidateWindow(edit, nullptr, false);
        if (isShowing(edit)) {
            if (HDC dc = GetDC(handle)) {
                paintEdit(edit, dc);
                ReleaseDC(handle, dc);
            }
        }
        return 0;
    case WM_KILLFOCUS:
    case WM_ENABLE:
        invalidateWindow(edit, nullptr, false);
        return 0;
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}
