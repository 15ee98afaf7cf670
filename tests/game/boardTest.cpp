#include <gtest/gtest.h>

#include "game/board.h"

namespace {

TEST(Board, FreshBoardHoldsRowsOfOneThreeFiveSeven) {
    resetBoard();
    EXPECT_EQ(countSticks(), 16);
    const int32_t expected[nrRows] = {1, 3, 5, 7};
    for (int row = 0; row < nrRows; ++row) {
        EXPECT_EQ(presentInRow[row], expected[row]);
        EXPECT_EQ(selectedInRow[row], 0);
        for (int column = 0; column < nrColumns; ++column) {
            const bool used = column <= 2 * row;
            EXPECT_EQ(board[row][column].state, used ? Present : Removed) << row << "," << column;
            EXPECT_EQ(board[row][column].controlId == 0, !used) << row << "," << column;
        }
    }
    EXPECT_EQ(totalSelected, 0);
}

TEST(Board, ResetRestoresEverySlotAndLeavesTalliesAlone) {
    resetBoard();
    board[3][2].state = Removed;
    board[2][0].state = Selected;
    board[0][5].controlId = 77; // a stray id in an unused column
    countSticks();
    resetBoard();
    EXPECT_EQ(board[3][2].state, Present);
    EXPECT_EQ(board[2][0].state, Present);
    EXPECT_EQ(board[0][5].controlId, 0u);
    EXPECT_EQ(totalSelected, 1) << "tallies describe the board at the last count";
    EXPECT_EQ(countSticks(), 16);
}

TEST(Board, SelectedSticksAreTalliedApartFromPresentOnes) {
    resetBoard();
    board[3][0].state = Selected;
    board[3][4].state = Selected;
    board[1][1].state = Removed;
    EXPECT_EQ(countSticks(), 13);
    EXPECT_EQ(presentInRow[3], 5);
    EXPECT_EQ(selectedInRow[3], 2);
    EXPECT_EQ(presentInRow[1], 2);
    EXPECT_EQ(totalSelected, 2);
    board[2][2].state = 7; // a state that is none of the three counts nowhere
    EXPECT_EQ(countSticks(), 12);
    EXPECT_EQ(presentInRow[2], 4);
}

TEST(Board, ControlsMapToTheirSlots) {
    resetBoard();
    struct Case {
        uint32_t id;
        int32_t row, column;
    } cases[] = {{1000, 0, 0}, {1001, 1, 0}, {1003, 1, 2}, {1004, 2, 0},
                 {1008, 2, 4}, {1010, 3, 0}, {1016, 3, 6}};
    for (const Case &c : cases) {
        int32_t row = 99, column = 99;
        StickSlot *slot = findSlotByControl(&row, &column, c.id);
        ASSERT_NE(slot, nullptr) << c.id;
        EXPECT_EQ(slot, &board[c.row][c.column]) << c.id;
        EXPECT_EQ(row, c.row) << c.id;
        EXPECT_EQ(column, c.column) << c.id;
    }
    EXPECT_EQ(findSlotByControl(nullptr, nullptr, 1013), &board[3][3]);
}

TEST(Board, IdsThatNoStickBearsFindNothing) {
    resetBoard();
    // 0 is what the unused columns hold; it must not reach them.
    for (uint32_t id : {1009u, 0u, 2u, 999u, 1017u, 1024u, 0xFFFFu}) {
        int32_t row = 5, column = 5;
        EXPECT_EQ(findSlotByControl(&row, &column, id), nullptr) << id;
        EXPECT_EQ(row, -1) << id;
        EXPECT_EQ(column, -1) << id;
    }
}

} // namespace
