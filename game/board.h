// The board: sixteen sticks in rows of 1, 3, 5 and 7, with the tallies beside it.
#pragma once

#include <stdint.h>

enum SlotState { Removed = 0, Present = 1, Selected = 2 };

struct StickSlot {
    int32_t state;      // a SlotState
    uint32_t controlId; // the button that shows the stick; 0 for a column the row does not use
};

enum { nrRows = 4, nrColumns = 7, nrSticks = 16 };

// The buttons that show the sticks, row by row from the top, each row from the left: row r has
// 2 * r + 1 of them, from stickControls[r * r] on.
extern const uint32_t stickControls[nrSticks];

typedef StickSlot Board[nrRows][nrColumns];

extern Board board;

// The tallies describe the board as it stood at the last countSticks.
extern int32_t presentInRow[nrRows];
extern int32_t selectedInRow[nrRows];
extern int32_t totalSelected;

// Skill of the computer (0 low, 1 high) and the computer turns of the current game. They belong
// to the board dialog's game phases; they live here so the move choice builds without a window.
extern int32_t IqLevel;
extern int32_t computerMoves;

void resetBoard();
// A fresh board on which only the leftmost nrPresent[row] sticks of each row are present.
void layOutBoard(const int32_t nrPresent[nrRows]);
int32_t countSticks();
// The slot shown by a control, or null; row and column (either may be null) get -1 then.
StickSlot *findSlotByControl(int32_t *row, int32_t *column, uint32_t controlId);
