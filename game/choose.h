// The computer's choice of a move: fixed rules over the present counts of the four rows.
#pragma once

#include <stdint.h>

#include "game/board.h"

enum { diagnosticCapacity = 256 };

struct ComputerMove {
    int32_t chosenRow;                   // 0..3, or -1 when no row could be chosen
    int32_t nrToRemove;                  // 1..presentInRow[chosenRow] when a row was chosen
    char diagnostic[diagnosticCapacity]; // empty, or one line when the move had to be corrected
};

// Recounts the board, then chooses by IqLevel and computerMoves, drawing from pickRandom where
// the rules leave a choice. Changes nothing on the board.
void chooseComputerMove(ComputerMove *move);

// Exchanges two equal-size areas byte by byte; a size of 0 or less does nothing.
void swapBytes(void *first, void *second, int32_t size);

// The rows grouped by their present counts, each list in increasing row order, and all rows
// ordered by count, largest first.
struct RowLists {
    int32_t rowsWithOne[nrRows];
    int32_t nrRowsWithOne;
    int32_t nrRowsWithTwo;
    int32_t rowsWithMoreThanZero[nrRows];
    int32_t nrRowsWithMoreThanZero;
    int32_t rowsWithMoreThanOne[nrRows];
    int32_t nrRowsWithMoreThanOne;
    int32_t rowsWithMoreThanTwo[nrRows];
    int32_t nrRowsWithMoreThanTwo;
    int32_t rowsWithNotTwoAndNotZero[nrRows];
    int32_t nrRowsWithNotTwoAndNotZero;
    int32_t rowsByCount[nrRows];
};

// Builds the lists from presentInRow as it stands.
void buildRowLists(RowLists *lists);

// Drops a move whose row or count is out of range, writing the diagnostic, and falls back to
// one stick from the topmost row with sticks (no row at all when the board is empty).
void validateComputerMove(ComputerMove *move, const RowLists *lists);
