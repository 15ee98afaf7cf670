#include "game/think.h"

#include "board/animation.h"
#include "board/painting.h"
#include "board/phases.h"
#include "game/board.h"
#include "resources/resource.h"

void (*computerMoveChooser)(ComputerMove *move) = chooseComputerMove;

static const int32_t actionControls[] = {IDC_FIRST_BUTTON, IDC_SECOND_BUTTON, IDC_FIRST_LABEL,
                                         IDC_SECOND_LABEL};

static void showActionControls(HWND dialog, int32_t show) {
    for (int32_t id : actionControls) {
        showControl(dialog, id, show);
    }
}

// Marks the leftmost Present sticks of the row, as many as the move takes.
static void markMove(const ComputerMove *move) {
    int32_t nrMarked = 0;
    for (int32_t column = 0; column < nrColumns && nrMarked < move->nrToRemove; column++) {
        StickSlot *slot = &board[move->chosenRow][column];
        if (slot->state == Present) {
            slot->state = Selected;
            nrMarked++;
        }
    }
}

void THINK(HWND dialog) {
    refreshBoard(dialog);
    showActionControls(dialog, 0);
    setControlText(dialog, IDC_STATUS, thinkingText);
    Sleep(2000);

    ComputerMove move = {};
    computerMoveChooser(&move);
    // Only a row on the board is marked; anything else means no move could be made.
    if (move.chosenRow >= 0 && move.chosenRow < nrRows) {
        markMove(&move);
        playRemovalAnimation(dialog);
    }

    showActionControls(dialog, 1);
    beginPlayerTurn(dialog);
    computerMoves = computerMoves + 1;
    move.diagnostic[diagnosticCapacity - 1] = 0;
    if (move.diagnostic[0] != 0) {
        setControlText(dialog, IDC_STATUS, move.diagnostic);
    }
}
