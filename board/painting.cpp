#include "board/painting.h"

#include <stdio.h>
#include <string.h>

#include "board/phases.h"
#include "resources/resource.h"
#include "shell/app.h"

const int32_t boardBitmapIds[nrBoardBitmaps] = {
    IDB_PRESENT,       IDB_SELECTED,     IDB_REMOVED,     IDB_LEVER_HIGH,     IDB_LEVER_LOW,
    IDB_LIGHTNING,     IDB_HOLES_FEW,    IDB_HOLES_LARGE, IDB_HOLES_REMNANTS, IDB_GRID_COARSE,
    IDB_GRID_FINE,     IDB_GRID_STRIPS,  IDB_BURST_SMALL, IDB_BURST_LARGE,    IDB_CURLED,
    IDB_FRAGMENTS_TWO, IDB_FRAGMENT_ONE, IDB_WISP,        IDB_SPARKS,
};

HBITMAP boardBitmaps[nrBoardBitmaps];
HBITMAP selectedFace;

void loadBitmaps() {
    for (int32_t i = 0; i < nrBoardBitmaps; i++) {
        if (!boardBitmaps[i]) {
            boardBitmaps[i] = LoadBitmapA(appInstance, MAKEINTRESOURCEA(boardBitmapIds[i]));
        }
    }
    if (!selectedFace) {
        selectedFace = boardBitmap(IDB_SELECTED);
    }
}

void freeBitmaps() {
    for (int32_t i = 0; i < nrBoardBitmaps; i++) {
        if (boardBitmaps[i]) {
            DeleteObject(boardBitmaps[i]);
        }
    }
}

HBITMAP boardBitmap(int32_t resourceId) {
    for (int32_t i = 0; i < nrBoardBitmaps; i++) {
        if (boardBitmapIds[i] == resourceId) {
            return boardBitmaps[i];
        }
    }
    return nullptr;
}

HBITMAP faceForSlot(const StickSlot *slot) {
    if (slot->state == Selected) {
        return selectedFace;
    }
    if (slot->state == Present) {
        return boardBitmap(IDB_PRESENT);
    }
    return boardBitmap(IDB_REMOVED);
}

void drawBitmap(HDC dc, HBITMAP bitmap, const RECT *rect, int32_t stretch) {
    // A face that failed to load draws nothing.
    BITMAP description = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof description, &description)) {
        return;
    }
    HDC memoryDc = CreateCompatibleDC(dc);
    if (!memoryDc) {
        return;
    }
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    int width = rect->right - rect->left;
    int height = rect->bottom - rect->top;
    if (stretch) {
        StretchBlt(dc, rect->left, rect->top, width, height, memoryDc, 0, 0, description.bmWidth,
                   description.bmHeight, SRCCOPY);
    } else {
        BitBlt(dc, rect->left, rect->top, width, height, memoryDc, 0, 0, SRCCOPY);
    }
    SelectObject(memoryDc, previous);
    DeleteDC(memoryDc);
}

enum { faceNameCapacity = 40 };

// What a screen reader says for a stick: its row and place counted from 1, then its state.
const char stickNameFormat[] = "Fila %d, palito %d: %s";
const char stickPresentName[] = "est\xE1";
const char stickSelectedName[] = "seleccionado";
const char stickRemovedName[] = "removido";
const char leverLowName[] = "IQ Ordanel: bajo";
const char leverHighName[] = "IQ Ordanel: m\xE1"
                             "s alto";

static void nameControl(HWND dialog, int32_t id, const char *name) {
    char current[faceNameCapacity] = "";
    GetDlgItemTextA(dialog, id, current, faceNameCapacity);
    if (strcmp(current, name) != 0) {
        setControlText(dialog, id, name);
    }
}

void nameFaceButtons(HWND dialog) {
    char name[faceNameCapacity];
    for (int32_t row = 0; row < nrRows; row++) {
        for (int32_t column = 0; column < nrColumns; column++) {
            const StickSlot *slot = &board[row][column];
            if (slot->controlId == 0) {
                continue;
            }
            const char *state = slot->state == Present    ? stickPresentName
                                : slot->state == Selected ? stickSelectedName
                                                          : stickRemovedName;
            snprintf(name, faceNameCapacity, stickNameFormat, row + 1, column + 1, state);
            nameControl(dialog, (int32_t)slot->controlId, name);
        }
    }
    nameControl(dialog, IDC_LEVER, IqLevel == 1 ? leverHighName : leverLowName);
}

void refreshBoard(HWND dialog) {
    nameFaceButtons(dialog);
    InvalidateRgn(dialog, nullptr, FALSE);
    UpdateWindow(dialog);
}

// The procedure of the Button class, which the face buttons hand every message they do not
// paint themselves.
static WNDPROC plainButtonProc;

// The face of a stick or lever button by its control id; null for any other control.
static HBITMAP faceForControl(int32_t id) {
    if (id == IDC_LEVER) {
        return boardBitmap(IqLevel == 1 ? IDB_LEVER_HIGH : IDB_LEVER_LOW);
    }
    StickSlot *slot = findSlotByControl(nullptr, nullptr, (uint32_t)id);
    return slot ? faceForSlot(slot) : nullptr;
}

// A face button's whole look: its face, sunk in while the button is pushed, and the focus
// rectangle over it while it has the focus (unless the window hides keyboard cues).
static void drawFaceButton(HWND button, HDC dc, HBITMAP face) {
    RECT client;
    GetClientRect(button, &client);
    drawBitmap(dc, face, &client, 1);
    LRESULT state = SendMessageA(button, BM_GETSTATE, 0, 0);
    if (state & BST_PUSHED) {
        DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
    }
    if (GetFocus() == button && !(SendMessageA(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        RECT focus = {client.left + 3, client.top + 3, client.right - 3, client.bottom - 3};
        DrawFocusRect(dc, &focus);
    }
}

// Paints one face between the button's own BeginPaint and EndPaint, which validates the button
// so that its own painting does not cover the face.
static void paintButtonFace(HWND button, HBITMAP face) {
    if (!button) {
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(button, &paint);
    if (dc) {
        drawFaceButton(button, dc, face);
    }
    EndPaint(button, &paint);
}

// The stick and lever buttons paint their faces themselves. The Button class repaints a button
// at once, without WM_PAINT, when its focus, pushed state, style or enabling changes: each of
// those is followed by the face again, so the plain button never stays on screen.
static LRESULT CALLBACK faceButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the face covers the whole button
    case WM_PAINT:
        loadBitmaps();
        paintButtonFace(button, faceForControl(GetDlgCtrlID(button)));
        return 0;
    case WM_SETTEXT:
        // The text only names the button; the Button class would clear and repaint it before
        // the face came back, so the text is stored without any painting.
        return DefWindowProcA(button, message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE: {
        LRESULT result = CallWindowProcA(plainButtonProc, button, message, wParam, lParam);
        if (IsWindowVisible(button)) {
            HDC dc = GetDC(button);
            if (dc) {
                drawFaceButton(button, dc, faceForControl(GetDlgCtrlID(button)));
                ReleaseDC(button, dc);
            }
        }
        return result;
    }
    }
    return CallWindowProcA(plainButtonProc, button, message, wParam, lParam);
}

static void subclassFaceButton(HWND dialog, int32_t id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button || (WNDPROC)GetWindowLongPtrA(button, GWLP_WNDPROC) == faceButtonProc) {
        return;
    }
    WNDPROC previous = (WNDPROC)SetWindowLongPtrA(button, GWLP_WNDPROC, (LONG_PTR)faceButtonProc);
    if (previous) {
        plainButtonProc = previous;
    }
}

void subclassFaceButtons(HWND dialog) {
    for (int32_t row = 0; row < nrRows; row++) {
        for (int32_t column = 0; column < nrColumns; column++) {
            if (board[row][column].controlId != 0) {
                subclassFaceButton(dialog, (int32_t)board[row][column].controlId);
            }
        }
    }
    subclassFaceButton(dialog, IDC_LEVER);
}

INT_PTR paintBoard(HWND dialog) {
    loadBitmaps();
    for (int32_t row = 0; row < nrRows; row++) {
        for (int32_t column = 0; column < nrColumns; column++) {
            const StickSlot *slot = &board[row][column];
            if (slot->controlId != 0) {
                paintButtonFace(GetDlgItem(dialog, (int32_t)slot->controlId), faceForSlot(slot));
            }
        }
    }
    paintButtonFace(GetDlgItem(dialog, IDC_LEVER), faceForControl(IDC_LEVER));
    return FALSE;
}
