#include "game/board.h"

Board board;
int32_t presentInRow[nrRows];
int32_t selectedInRow[nrRows];
int32_t totalSelected;
int32_t IqLevel = 0;
int32_t computerMoves = 0;

// 1009 is a button of the dialog, not a stick.
const uint32_t stickControls[nrSticks] = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007,
                                          1008, 1010, 1011, 1012, 1013, 1014, 1015, 1016};

void resetBoard() {
    for (int row = 0; row < nrRows; ++row) {
        for (int column = 0; column < nrColumns; ++column) {
            board[row][column].state = Removed;
            board[row][column].controlId = 0;
        }
    }
    for (int row = 0; row < nrRows; ++row) {
        for (int column = 0; column <= 2 * row; ++column) {
            board[row][column].state = Present;
            board[row][column].controlId = stickControls[row * row + column];
        }
    }
}

void layOutBoard(const int32_t nrPresent[nrRows]) {
    resetBoard();
    for (int row = 0; row < nrRows; ++row) {
        for (int column = nrPresent[row]; column <= 2 * row; ++column) {
            board[row][column].state = Removed;
        }
    }
}

int32_t countSticks() {
    int32_t nrPresent = 0;
    totalSelected = 0;
    for (int row = 0; row < nrRows; ++row) {
        presentInRow[row] = 0;
        selectedInRow[row] = 0;
    }
    for (int row = 0; row < nrRows; ++row) {
        for (int column = 0; column < nrColumns; ++column) {
            if (board[row][column].state == Present) {
                ++presentInRow[row];
                ++nrPresent;
            } else if (board[row][column].state == Selected) {
                ++selectedInRow[row];
                ++totalSelected;
            }
        }
    }
    return nrPresent;
}

StickSlot *findSlotByControl(int32_t *row, int32_t *column, uint32_t controlId) {
    StickSlot *found = nullptr;
    int32_t foundRow = -1;
    int32_t foundColumn = -1;
    // Every row is searched; were an id ever in two rows, the later row would win. Id 0 marks
    // the columns a row does not use, so it names no stick.
    for (int r = 0; r < nrRows && controlId != 0; ++r) {
        for (int c = 0; c < nrColumns; ++c) {
            if (board[r][c].controlId == controlId) {
                found = &board[r][c];
                foundRow = r;
                foundColumn = c;
                break;
            }
        }
    }
    if (row != nullptr)
        *row = foundRow;
    if (column != nullptr)
        *column = foundColumn;
    return found;
}
