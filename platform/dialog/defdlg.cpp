// The default dialog procedure, which a dialog procedure's FALSE leaves a message to, and the
// keyboard rules of a dialog that it and the dialog keys of the modal loop follow: the tab stops,
// the groups that the arrows move in, the default push button, where the focus goes.
#include "platform/dialog/defdlg.h"

#include <algorithm>

#include "platform/window/edges.h"

namespace {

bool isTabStop(const Window *window) {
    // The control's own style counts, so that the tab stops are known before the dialog shows.
    return window && (window->style & WS_TABSTOP) && (window->style & WS_VISIBLE) &&
           !(window->style & WS_DISABLED);
}

HWND findDefaultButton(Window *dialog) {
    std::vector<HWND> children = dialog->children;
    for (HWND child : children) {
        if (dialogCode(child) & DLGC_DEFPUSHBUTTON) {
            return child;
        }
    }
    return nullptr;
}

// Takes the default style from the button that holds it (the one named by old, or else any
// button that has it) and gives it to next when next is a push button.
void moveDefaultStyle(Window *dialog, HWND old, HWND next, LRESULT code) {
    if (!old || !(dialogCode(old) & DLGC_DEFPUSHBUTTON)) {
        old = findDefaultButton(dialog);
    }
    if (old && old != next) {
        SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    if (next && (code & DLGC_UNDEFPUSHBUTTON)) {
        SendMessageA(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

// The default-button style follows a focus moved by the dialog keys: a push button that gets
// the focus takes it, and the previous holder gives it up; any other control gives it back to
// the dialog's default id.
void setDefaultButton(Window *dialog, HWND next) {
    HWND handle = dialog->handle;
    HWND old =
        dialogState(dialog).defaultId ? GetDlgItem(handle, dialogState(dialog).defaultId) : nullptr;
    LRESULT code = 0;
    if (next && !((code = dialogCode(next)) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) {
        next = old;
        code = dialogCode(next);
    }
    moveDefaultStyle(dialog, old, next, code);
}

void setDefaultId(Window *dialog, int id) {
    HWND handle = dialog->handle;
    int oldId = dialogState(dialog).defaultId;
    dialogState(dialog).defaultId = id;
    HWND next = GetDlgItem(handle, id);
    LRESULT code = next ? dialogCode(next) : 0;
    if (next && !(code & (DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON))) {
        return;
    }
    HWND old = oldId ? GetDlgItem(handle, oldId) : nullptr;
    moveDefaultStyle(dialog, old, next, code);
}

} // namespace

DialogState &dialogState(Window *dialog) {
    return extraOf<DialogState>(dialog);
}

bool isDialog(const Window *window) {
    return window && window->windowClass->atom == dialogClassAtom;
}

LRESULT dialogCode(HWND control) {
    return SendMessageA(control, WM_GETDLGCODE, 0, 0);
}

HWND nextTabStop(Window *dialog, HWND from, bool backwards) {
    const std::vector<HWND> &children = dialog->children;
    int count = static_cast<int>(children.size());
    if (count == 0) {
        return nullptr;
    }
    int start =
        static_cast<int>(std::find(children.begin(), children.end(), from) - children.begin());
    if (start == count) {
        start = backwards ? 0 : count - 1;
    }
    for (int step = 1; step <= count; ++step) {
        int index = ((backwards ? start - step : start + step) % count + count) % count;
        if (isTabStop(findWindow(children[index]))) {
            return children[index];
        }
    }
    return nullptr;
}

// The next (or previous) showing, enabled control of the group that holds `from`: a group runs
// from a WS_GROUP control to the next one, across the end of the list and back to its start.
HWND nextGroupItem(Window *dialog, HWND from, bool previous) {
    const std::vector<HWND> &children = dialog->children;
    int count = static_cast<int>(children.size());
    int start =
        static_cast<int>(std::find(children.begin(), children.end(), from) - children.begin());
    if (count == 0 || (start == count && previous)) {
        return nullptr;
    }
    if (start == count) {
        start = 0;
    }
    // The group's first control: walk back to the nearest WS_GROUP control.
    int first = start;
    for (int step = 0; step < count; ++step) {
        int index = ((start - step) % count + count) % count;
        Window *w = findWindow(children[index]);
        if (w && (w->style & WS_GROUP)) {
            first = index;
            break;
        }
    }
    // The group's members in order, from its first control up to the next WS_GROUP one.
    std::vector<int> members;
    for (int step = 0; step < count; ++step) {
        int index = (first + step) % count;
        Window *w = findWindow(children[index]);
        if (step > 0 && w && (w->style & WS_GROUP)) {
            break;
        }
        members.push_back(index);
    }
    int at = static_cast<int>(std::find(members.begin(), members.end(), start) - members.begin());
    int size = static_cast<int>(members.size());
    for (int step = 1; step < size; ++step) {
        int index = members[((previous ? at - step : at + step) % size + size) % size];
        Window *w = findWindow(children[index]);
        if (w && (w->style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) {
            return children[index];
        }
    }
    return from;
}

void focusControl(HWND control) {
    if (dialogCode(control) & DLGC_HASSETSEL) {
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
    SetFocus(control);
}

void restoreFocus(Window *dialog) {
    if (dialogState(dialog).ended) {
        return;
    }
    HWND last = dialog->lastFocus;
    Window *window = findWindow(last);
    if (window && isDescendant(dialog->handle, last) && isShowing(window) &&
        isEnabledTree(window)) {
        SetFocus(last);
    } else if (HWND first = nextTabStop(dialog, nullptr, false)) {
        SetFocus(first);
    }
}

POINT placeOnWorkArea(const RECT &rect) {
    RECT work = backendWorkArea();
    POINT place{rect.left, rect.top};
    place.x -= std::max<LONG>(0, rect.right - work.right);
    place.y -= std::max<LONG>(0, rect.bottom - work.bottom);
    return {std::max(place.x, work.left), std::max(place.y, work.top)};
}

LRESULT CALLBACK dialogWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window *window = findWindow(handle);
    if (!window) {
        return 0;
    }
    DLGPROC proc = dialogState(window).proc;
    INT_PTR handled = proc ? proc(handle, message, wParam, lParam) : FALSE;
    if (handled || !(window = findWindow(handle))) {
        return handled;
    }
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(handle, &client);
        fillWithSysColor(reinterpret_cast<HDC>(wParam), client, COLOR_BTNFACE);
        return 1;
    }
    case WM_CLOSE:
        PostMessageA(handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(handle, IDCANCEL)));
        return 0;
    case DM_GETDEFID: {
        if (dialogState(window).ended) {
            return 0;
        }
        if (dialogState(window).defaultId) {
            return MAKELPARAM(dialogState(window).defaultId, DC_HASDEFID);
        }
        HWND button = findDefaultButton(window);
        return button ? MAKELPARAM(GetDlgCtrlID(button), DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
        setDefaultId(window, static_cast<int>(wParam));
        return TRUE;
    case DM_REPOSITION:
        if (!window->isChild()) {
            POINT place = placeOnWorkArea(window->rect);
            SetWindowPos(handle, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        return 0;
    case WM_NEXTDLGCTL: {
        // lParam set: wParam is the control; else the next (wParam 0) or previous tab stop.
        HWND next =
            lParam ? reinterpret_cast<HWND>(wParam)
                   : nextTabStop(window, isDescendant(handle, GetFocus()) ? GetFocus() : nullptr,
                                 wParam != 0);
        if (next) {
            focusControl(next);
        }
        if ((window = findWindow(handle)) != nullptr) {
            setDefaultButton(window, next);
        }
        return 0;
    }
    case WM_SETFOCUS:
        restoreFocus(window);
        return 0;
    case WM_NCDESTROY:
        if (dialogState(window).font) {
            DeleteObject(dialogState(window).font);
            dialogState(window).font = nullptr;
            window->font = nullptr;
        }
        return 0;
    case WM_INITDIALOG:
        return 0;
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}
