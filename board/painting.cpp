#include "board/painting.h"

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

void refreshBoard(HWND dialog) {
    InvalidateRgn(dialog, nullptr, FALSE);
    UpdateWindow(dialog);
}

// Paints one face between the button's own BeginPaint and EndPaint, which validates the button
// so that its own painting does not cover the face.
static void paintButtonFace(HWND dialog, int32_t id, HBITMAP face) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) {
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(button, &paint);
    if (dc) {
        RECT client;
        GetClientRect(button, &client);
        drawBitmap(dc, face, &client, 1);
    }
    EndPaint(button, &paint);
}

INT_PTR paintBoard(HWND dialog) {
    loadBitmaps();
    for (int32_t row = 0; row < nrRows; row++) {
        for (int32_t column = 0; column < nrColumns; column++) {
            const StickSlot *slot = &board[row][column];
            if (slot->controlId != 0) {
                paintButtonFace(dialog, (int32_t)slot->controlId, faceForSlot(slot));
            }
        }
    }
    paintButtonFace(dialog, IDC_LEVER, boardBitmap(IqLevel == 1 ? IDB_LEVER_HIGH : IDB_LEVER_LOW));
    return FALSE;
}
