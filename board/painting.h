// The faces of the stick buttons and the lever: the bitmap set, the face of each stick, the
// synchronous repaint of the board dialog, and the window texts that name the sticks and the
// lever for screen readers (the faces are pictures, so the texts are never drawn).
#pragma once

#include <stdint.h>

#include "game/board.h"
#include "platform/win32.h"

enum { nrBoardBitmaps = 19 };

// Resource ids of the bitmap set, in load order.
extern const int32_t boardBitmapIds[nrBoardBitmaps];
// The loaded handles, null until loaded, in the order of boardBitmapIds.
extern HBITMAP boardBitmaps[nrBoardBitmaps];
// The face drawn for every Selected stick: bitmap 131 at rest, a frame while an animation runs.
extern HBITMAP selectedFace;

// Loads every bitmap that is not loaded yet; sets selectedFace the first time.
void loadBitmaps();
// Releases the loaded bitmaps at exit.
void freeBitmaps();
// The handle of one bitmap of the set by its resource id (null when not loaded or unknown).
HBITMAP boardBitmap(int32_t resourceId);
HBITMAP faceForSlot(const StickSlot *slot);
// Paints a bitmap into a rectangle of a device context, scaled to it when stretch is nonzero.
void drawBitmap(HDC dc, HBITMAP bitmap, const RECT *rect, int32_t stretch);
// Gives every stick button and the lever the text that describes it as the board stands, where
// it differs from the one it carries.
void nameFaceButtons(HWND dialog);
// Names the face buttons and repaints the whole board dialog before returning.
void refreshBoard(HWND dialog);
// Makes the stick and lever buttons of the board paint their own faces, with the focus and
// pushed looks over them; called once the dialog's controls exist.
void subclassFaceButtons(HWND dialog);
// WM_PAINT of the board dialog: paints every stick face and the lever; returns FALSE.
INT_PTR paintBoard(HWND dialog);
