// The default dialog procedure and the keyboard rules of a dialog, which the dialog manager
// above builds on.
#pragma once

#include "platform/window/window.h"

struct DialogState : WindowExtra {
    DLGPROC proc = nullptr;
    bool ended = false;
    INT_PTR result = 0;
    HFONT font = nullptr;         // made from the template, deleted with the dialog
    int defaultId = 0;            // the default push button's id (template or DM_SETDEFID), 0 none
    HWND disabledOwner = nullptr; // the owner its loop disabled, enabled again at the end
};

DialogState &dialogState(Window *dialog);
bool isDialog(const Window *window);
// The procedure of the dialog class: the dialog procedure first, then the default handling.
LRESULT CALLBACK dialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT dialogCode(HWND control); // WM_GETDLGCODE
// The next (or previous) tab stop after `from` (null: from the start), with wrap-around.
HWND nextTabStop(Window *dialog, HWND from, bool backwards);
// The next (or previous) showing, enabled control of the group that holds `from`.
HWND nextGroupItem(Window *dialog, HWND from, bool previous);
// Focuses a control, selecting all of an edit field's text.
void focusControl(HWND control);
// Gives the focus back to the control inside that last had it, else to the first tab stop.
void restoreFocus(Window *dialog);
// Where a window of the given outer rectangle goes to lie on the backend's work area: its right
// and bottom edges are moved in first, then its left and top, so that one larger than the work
// area keeps its top left corner on it (DM_REPOSITION, and a new dialog's place).
POINT placeOnWorkArea(const RECT &rect);
