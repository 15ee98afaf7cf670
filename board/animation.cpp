#include "board/animation.h"

#include "board/painting.h"
#include "game/board.h"
#include "game/random.h"
#include "resources/resource.h"

const AnimationSequence animationSequences[nrAnimationSequences] = {
    {{{IDB_LIGHTNING, 100}, {IDB_SELECTED, 150}}, 2, 4},
    {{{IDB_HOLES_FEW, 70}, {IDB_HOLES_LARGE, 60}, {IDB_HOLES_REMNANTS, 90}}, 3, 1},
    {{{IDB_GRID_COARSE, 80}, {IDB_GRID_FINE, 80}, {IDB_GRID_STRIPS, 80}}, 3, 1},
    {{{IDB_BURST_SMALL, 40}, {IDB_BURST_LARGE, 80}}, 2, 1},
    {{{IDB_CURLED, 150}, {IDB_FRAGMENTS_TWO, 150}, {IDB_FRAGMENT_ONE, 150}, {IDB_WISP, 150}}, 4, 1},
    {{{IDB_SPARKS, 30}, {IDB_SELECTED, 30}}, 2, 7},
};

int32_t sequenceForPick(int32_t pick) {
    if (pick < 0) {
        return 0;
    }
    return pick < nrAnimationSequences ? pick : nrAnimationSequences - 1;
}

void playRemovalAnimation(HWND dialog) {
    const AnimationSequence *sequence = &animationSequences[sequenceForPick(pickRandom(6))];
    for (int32_t repeat = 0; repeat < sequence->nrRepeats; repeat++) {
        for (int32_t i = 0; i < sequence->nrFrames; i++) {
            selectedFace = boardBitmap(sequence->frames[i].bitmapId);
            refreshBoard(dialog);
            Sleep(sequence->frames[i].delay);
        }
    }
    selectedFace = boardBitmap(IDB_SELECTED);
    for (int32_t row = 0; row < nrRows; row++) {
        for (int32_t column = 0; column < nrColumns; column++) {
            if (board[row][column].state == Selected) {
                board[row][column].state = Removed;
            }
        }
    }
    nameFaceButtons(dialog);
}
