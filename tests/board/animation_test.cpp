// The removal animation: for every pick the faces and sleeps in order, the pixels the selected
// sticks show during a frame, and the board afterwards.
#include <gtest/gtest.h>

#include "board/animation.h"
#include "board/commands.h"
#include "board/painting.h"
#include "game/board.h"
#include "platform/gdi/gdi.h"
#include "resources/resource.h"
#include "tests/board/harness.h"
#include "tests/support/clock.h"

namespace {

int32_t idOfHandle(HBITMAP handle) {
    for (int i = 0; i < nrBoardBitmaps; i++) {
        if (handle && boardBitmaps[i] == handle) {
            return boardBitmapIds[i];
        }
    }
    return 0;
}

struct Paint {
    int32_t faceId;
    size_t nrSleepsBefore;
    bool selectedShowFace; // every Selected stick shows the face
    bool othersUntouched;  // Present and Removed sticks show their own faces
};
bool recording;
std::vector<Paint> paints;

INT_PTR CALLBACK recordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = boardDialogProc(dialog, message, wParam, lParam);
    if (message == WM_PAINT && recording) {
        Paint paint{idOfHandle(selectedFace), headlessSleeps().size(), true, true};
        for (auto &row : board) {
            for (auto &slot : row) {
                if (!slot.controlId) {
                    continue;
                }
                // Read from the window's pixels: the paint is not presented until it ends.
                bool shows = buttonShows(dialog, slot.controlId, faceForSlot(&slot), false);
                if (slot.state == Selected) {
                    paint.selectedShowFace = paint.selectedShowFace && shows;
                } else {
                    paint.othersUntouched = paint.othersUntouched && shows;
                }
            }
        }
        paints.push_back(paint);
    }
    return result;
}

// Each pick of 0..6 plays the sequence of animationSequences that sequenceForPick names.
class RemovalAnimation : public ::testing::TestWithParam<int32_t> {
  protected:
    void SetUp() override {
        resetEverything();
        paints.clear();
        recording = false;
    }
};

TEST_P(RemovalAnimation, PlaysItsSequenceThenRemovesTheSelection) {
    const int32_t pick = GetParam();
    const AnimationSequence &sequence = animationSequences[sequenceForPick(pick)];
    BoardRun run;
    run.proc = recordingProc;
    run.run({[&](HWND d) {
        board[2][0].state = Selected;
        board[2][2].state = Selected;
        board[3][6].state = Selected;
        board[1][1].state = Removed;
        scriptClock({msFor(pick, 6)});
        size_t sleepsBefore = headlessSleeps().size();
        recording = true;
        playRemovalAnimation(d);
        recording = false;

        std::vector<int32_t> wantFaces;
        std::vector<DWORD> wantSleeps;
        for (int r = 0; r < sequence.nrRepeats; r++) {
            for (int i = 0; i < sequence.nrFrames; i++) {
                wantFaces.push_back(sequence.frames[i].bitmapId);
                wantSleeps.push_back(sequence.frames[i].delay);
            }
        }
        ASSERT_EQ(paints.size(), wantFaces.size());
        for (size_t i = 0; i < paints.size(); i++) {
            EXPECT_EQ(paints[i].faceId, wantFaces[i]) << "frame " << i;
            EXPECT_EQ(paints[i].nrSleepsBefore, sleepsBefore + i) << "frame " << i;
            EXPECT_TRUE(paints[i].selectedShowFace) << "frame " << i;
            EXPECT_TRUE(paints[i].othersUntouched) << "frame " << i;
        }
        std::vector<DWORD> sleeps(headlessSleeps().begin() + sleepsBefore, headlessSleeps().end());
        EXPECT_EQ(sleeps, wantSleeps);

        EXPECT_EQ(idOfHandle(selectedFace), IDB_SELECTED);
        EXPECT_EQ(board[2][0].state, Removed);
        EXPECT_EQ(board[2][2].state, Removed);
        EXPECT_EQ(board[3][6].state, Removed);
        EXPECT_EQ(board[2][1].state, Present);
        EXPECT_EQ(board[1][1].state, Removed);
        EXPECT_EQ(board[0][0].state, Present);
        EXPECT_EQ(board[0][1].controlId, 0u);
        EXPECT_EQ(board[0][1].state, Removed);
        EndDialog(d, IDCANCEL);
    }});
}

INSTANTIATE_TEST_SUITE_P(EveryPick, RemovalAnimation, ::testing::Range(0, 7));

TEST(RemovalAnimationAlone, WithNothingSelectedRunsItsTimeAndChangesNothing) {
    resetEverything();
    BoardRun run;
    run.run({[](HWND d) {
        Board before;
        memcpy(before, board, sizeof before);
        scriptClock({0});
        playRemovalAnimation(d);
        EXPECT_EQ(memcmp(before, board, sizeof before), 0);
        DWORD total = 0;
        for (DWORD sleep : headlessSleeps()) {
            total += sleep;
        }
        EXPECT_EQ(total, 1000u);
        EndDialog(d, IDCANCEL);
    }});
}

TEST(BoardPainting, FacesFollowTheStateAndTheLever) {
    resetEverything();
    BoardRun run;
    run.run({[](HWND d) {
                 refreshBoard(d);
                 for (int id : stickControls) {
                     EXPECT_TRUE(buttonShows(d, id, boardBitmap(IDB_PRESENT))) << id;
                 }
                 EXPECT_TRUE(buttonShows(d, IDC_LEVER, boardBitmap(IDB_LEVER_LOW)));
                 clickControl(d, IDC_LEVER);
             },
             [](HWND d) {
                 EXPECT_TRUE(buttonShows(d, IDC_LEVER, boardBitmap(IDB_LEVER_HIGH)));
                 board[1][0].state = Selected;
                 board[1][1].state = Removed;
                 refreshBoard(d);
                 EXPECT_TRUE(buttonShows(d, 1001, boardBitmap(IDB_SELECTED)));
                 EXPECT_TRUE(buttonShows(d, 1002, boardBitmap(IDB_REMOVED)));
                 EXPECT_FALSE(buttonShows(d, 1002, boardBitmap(IDB_PRESENT)));
                 // A 48 x 48 frame is squeezed into the stick button like the others.
                 selectedFace = boardBitmap(IDB_WISP);
                 refreshBoard(d);
                 EXPECT_TRUE(buttonShows(d, 1001, boardBitmap(IDB_WISP)));
                 selectedFace = boardBitmap(IDB_SELECTED);
                 EndDialog(d, IDCANCEL);
             }});
}

TEST(BoardPainting, BitmapsLoadOnceAndAreReleasedOnce) {
    resetEverything();
    int before = liveGdiObjects();
    loadBitmaps();
    EXPECT_EQ(liveGdiObjects(), before + nrBoardBitmaps);
    HBITMAP first[nrBoardBitmaps];
    memcpy(first, boardBitmaps, sizeof first);
    EXPECT_EQ(selectedFace, boardBitmap(IDB_SELECTED));
    selectedFace = boardBitmap(IDB_SPARKS);
    loadBitmaps();
    EXPECT_EQ(memcmp(first, boardBitmaps, sizeof first), 0);
    EXPECT_EQ(selectedFace, boardBitmap(IDB_SPARKS)); // set only when still null
    EXPECT_EQ(liveGdiObjects(), before + nrBoardBitmaps);
    for (int i = 0; i < nrBoardBitmaps; i++) {
        BITMAP description = {};
        ASSERT_TRUE(GetObjectA(boardBitmaps[i], sizeof description, &description));
        bool wide = boardBitmapIds[i] == IDB_WISP || boardBitmapIds[i] == IDB_LEVER_HIGH ||
                    boardBitmapIds[i] == IDB_LEVER_LOW;
        EXPECT_EQ(description.bmWidth, wide ? 48 : 12) << boardBitmapIds[i];
        EXPECT_EQ(description.bmHeight, 48) << boardBitmapIds[i];
    }
    freeBitmaps();
    EXPECT_EQ(liveGdiObjects(), before);
    forgetBitmaps();
}

} // namespace
