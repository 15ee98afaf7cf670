#include <gtest/gtest.h>

#include <string.h>
#include <vector>

#include "game/board.h"
#include "game/choose.h"
#include "tests/support/clock.h"

namespace {

struct Counts {
    int32_t row[nrRows];
};

ComputerMove choose(const Counts &counts, int32_t iq, int32_t moves,
                    std::vector<unsigned short> milliseconds = {0}) {
    layOutBoard(counts.row);
    IqLevel = iq;
    computerMoves = moves;
    scriptClock(milliseconds);
    ComputerMove move;
    memset(&move, 'x', sizeof move);
    chooseComputerMove(&move);
    scriptClockMilliseconds(nullptr, 0);
    return move;
}

struct RuleCase {
    const char *name;
    Counts counts;
    int32_t moves;
    std::vector<unsigned short> milliseconds;
    int32_t row, take;
};

void expectMoves(const std::vector<RuleCase> &cases, std::vector<int32_t> levels) {
    for (int32_t iq : levels) {
        for (const RuleCase &c : cases) {
            const ComputerMove move = choose(c.counts, iq, c.moves, c.milliseconds);
            EXPECT_EQ(move.chosenRow, c.row) << c.name << " at level " << iq;
            EXPECT_EQ(move.nrToRemove, c.take) << c.name << " at level " << iq;
            EXPECT_STREQ(move.diagnostic, "") << c.name << " at level " << iq;
        }
    }
}

TEST(ChooseComputerMove, MovesThatBothLevelsAgreeOn) {
    expectMoves(
        {
            {"last stick", {{0, 0, 0, 1}}, 1, {0}, 3, 1},
            {"one long row, ones even", {{0, 0, 0, 5}}, 1, {0}, 3, 4},
            {"one long row, ones odd", {{1, 0, 0, 5}}, 1, {0}, 3, 5},
            {"two twos and a one", {{0, 1, 2, 2}}, 1, {999}, 1, 1},
            {"one and two twos", {{1, 2, 2, 0}}, 1, {999}, 0, 1},
            {"a two and a six", {{0, 0, 2, 6}}, 1, {0}, 3, 4},
            {"two twos and a five", {{0, 2, 2, 5}}, 1, {0}, 3, 5},
            {"one, two, five", {{0, 1, 2, 5}}, 1, {0}, 3, 1},
            {"one, two, six", {{0, 1, 2, 6}}, 1, {0}, 3, 1},
            {"one, two, seven", {{0, 1, 2, 7}}, 1, {0}, 3, 1},
            {"three ones, draw 0", {{1, 1, 1, 0}}, 1, {msFor(0, 2)}, 0, 1},
            {"three ones, draw 1", {{1, 1, 1, 0}}, 1, {msFor(1, 2)}, 1, 1},
            {"three ones, draw 2", {{1, 1, 1, 0}}, 1, {msFor(2, 2)}, 2, 1},
            {"one, four, five, draw 0", {{0, 1, 4, 5}}, 1, {msFor(0, 1)}, 2, 2},
            {"one, four, five, draw 1", {{0, 1, 4, 5}}, 1, {msFor(1, 1)}, 3, 3},
        },
        {0, 1});
}

TEST(ChooseComputerMove, HighLevelRules) {
    expectMoves(
        {
            {"H5 full board first move, draw 0", {{1, 3, 5, 7}}, 0, {msFor(0, 2)}, 3, 1},
            {"H5 full board first move, draw 1", {{1, 3, 5, 7}}, 0, {msFor(1, 2)}, 2, 1},
            {"H5 full board first move, draw 2", {{1, 3, 5, 7}}, 0, {msFor(2, 2)}, 1, 1},
            {"H4 0 3 5 7", {{0, 3, 5, 7}}, 1, {0}, 3, 1},
            {"H4 1 3 5 6", {{1, 3, 5, 6}}, 1, {0}, 1, 1},
            {"H4 1 3 4 7", {{1, 3, 4, 7}}, 1, {0}, 3, 5},
            {"H4 1 3 4 6", {{1, 3, 4, 6}}, 1, {0}, 3, 4},
            {"H3 0 2 4 7", {{0, 2, 4, 7}}, 1, {0}, 3, 3},
            {"H3 0 1 3 5", {{0, 1, 3, 5}}, 1, {0}, 3, 3},
            {"H3 1 2 5 7", {{1, 2, 5, 7}}, 1, {0}, 3, 3},
            {"H3 1 3 5 0", {{1, 3, 5, 0}}, 1, {0}, 2, 3},
            {"H3 0 2 5 6", {{0, 2, 5, 6}}, 1, {0}, 3, 1},
            {"H3 1 2 4 6", {{1, 2, 4, 6}}, 1, {0}, 3, 1},
            {"H2 0 2 3 3", {{0, 2, 3, 3}}, 1, {0}, 1, 2},
            {"H2 1 3 4 5", {{1, 3, 4, 5}}, 1, {0}, 1, 3},
            {"H2 0 2 3 4", {{0, 2, 3, 4}}, 1, {0}, 3, 3},
            {"H2 1 2 2 5", {{1, 2, 2, 5}}, 1, {0}, 3, 4},
            {"H2 three twos, draw 0", {{0, 2, 2, 2}}, 1, {msFor(0, 2)}, 1, 2},
            {"H2 three twos, draw 1", {{0, 2, 2, 2}}, 1, {msFor(1, 2)}, 2, 2},
            {"H2 three twos, draw 2", {{0, 2, 2, 2}}, 1, {msFor(2, 2)}, 3, 2},
            {"H1 1 1 5 7", {{1, 1, 5, 7}}, 1, {0}, 3, 2},
            {"H5 0 3 4 6 later, draw 0", {{0, 3, 4, 6}}, 1, {msFor(0, 2)}, 3, 1},
            {"H5 0 3 4 6 later, draw 1 meets d12", {{0, 3, 4, 6}}, 1, {msFor(1, 2)}, 3, 1},
            {"H5 0 3 4 6 later, draw 2", {{0, 3, 4, 6}}, 1, {msFor(2, 2)}, 3, 3},
            {"H5 0 3 4 6 first, draw 0", {{0, 3, 4, 6}}, 0, {msFor(0, 2)}, 3, 1},
            {"H5 0 3 4 6 first, draw 1", {{0, 3, 4, 6}}, 0, {msFor(1, 2)}, 2, 1},
            {"H5 0 3 4 6 first, draw 2", {{0, 3, 4, 6}}, 0, {msFor(2, 2)}, 1, 1},
            {"H5 0 3 5 6 later, draw 0 meets d12", {{0, 3, 5, 6}}, 1, {msFor(0, 2)}, 3, 2},
            {"H5 0 3 5 6 later, draw 1", {{0, 3, 5, 6}}, 1, {msFor(1, 2)}, 3, 2},
            {"H5 0 3 5 6 later, draw 2", {{0, 3, 5, 6}}, 1, {msFor(2, 2)}, 3, 3},
        },
        {1});
}

TEST(ChooseComputerMove, LowLevelRules) {
    expectMoves(
        {
            {"B4 1 2 2 5, draw 1", {{1, 2, 2, 5}}, 1, {msFor(1, 1)}, 3, 4},
            {"B4 1 2 2 5, draw 0", {{1, 2, 2, 5}}, 1, {msFor(0, 1)}, 3, 2},
            {"B6 full board, draws 0 0", {{1, 3, 5, 7}}, 0, {msFor(0, 3), msFor(0, 0)}, 0, 1},
            {"B6 full board, draws 3 6", {{1, 3, 5, 7}}, 0, {msFor(3, 3), msFor(6, 6)}, 3, 7},
            {"B6 full board, draws 2 1", {{1, 3, 5, 7}}, 0, {msFor(2, 3), msFor(1, 4)}, 2, 2},
            {"B5 0 0 3 4, draw 0", {{0, 0, 3, 4}}, 1, {msFor(0, 1), 0}, 2, 1},
            {"B5 0 0 3 4, draws 1 0", {{0, 0, 3, 4}}, 1, {msFor(1, 1), msFor(0, 1)}, 3, 1},
            {"B5 0 0 3 4, draws 1 1", {{0, 0, 3, 4}}, 1, {msFor(1, 1), msFor(1, 1)}, 3, 2},
            {"B3 two twos, no ones, draw 1", {{0, 0, 2, 2}}, 1, {msFor(1, 1)}, 3, 1},
        },
        {0});
}

TEST(ChooseComputerMove, AnyLevelOtherThanOneIsLow) {
    // The full board on a first move: the high level always takes one stick.
    const std::vector<unsigned short> draws = {msFor(0, 3), msFor(4, 6)};
    for (int32_t iq : {0, 2, -1, 100}) {
        const ComputerMove move = choose({{1, 3, 5, 7}}, iq, 0, draws);
        EXPECT_EQ(move.chosenRow, 0) << iq;
        EXPECT_EQ(move.nrToRemove, 1) << iq;
    }
    const ComputerMove high = choose({{0, 3, 5, 7}}, 1, 1, draws);
    EXPECT_EQ(high.chosenRow, 3);
}

TEST(ChooseComputerMove, SortKeepsTheExchangeOrder) {
    struct Case {
        Counts counts;
        int32_t order[nrRows];
    } cases[] = {
        {{{0, 2, 2, 3}}, {3, 2, 1, 0}}, {{{1, 3, 3, 0}}, {1, 2, 0, 3}},
        {{{1, 3, 5, 7}}, {3, 2, 1, 0}}, {{{1, 1, 1, 1}}, {0, 1, 2, 3}},
        {{{0, 0, 0, 0}}, {0, 1, 2, 3}},
    };
    for (const Case &c : cases) {
        for (int row = 0; row < nrRows; ++row)
            presentInRow[row] = c.counts.row[row];
        RowLists lists;
        buildRowLists(&lists);
        for (int i = 0; i < nrRows; ++i)
            EXPECT_EQ(lists.rowsByCount[i], c.order[i]) << i;
    }
}

TEST(ChooseComputerMove, RowListsFollowRowOrder) {
    const int32_t counts[nrRows] = {1, 2, 0, 5};
    for (int row = 0; row < nrRows; ++row)
        presentInRow[row] = counts[row];
    RowLists l;
    buildRowLists(&l);
    EXPECT_EQ(l.nrRowsWithOne, 1);
    EXPECT_EQ(l.rowsWithOne[0], 0);
    EXPECT_EQ(l.nrRowsWithTwo, 1);
    ASSERT_EQ(l.nrRowsWithMoreThanZero, 3);
    EXPECT_EQ(l.rowsWithMoreThanZero[2], 3);
    ASSERT_EQ(l.nrRowsWithMoreThanOne, 2);
    EXPECT_EQ(l.rowsWithMoreThanOne[0], 1);
    ASSERT_EQ(l.nrRowsWithMoreThanTwo, 1);
    EXPECT_EQ(l.rowsWithMoreThanTwo[0], 3);
    ASSERT_EQ(l.nrRowsWithNotTwoAndNotZero, 2);
    EXPECT_EQ(l.rowsWithNotTwoAndNotZero[0], 0);
    EXPECT_EQ(l.rowsWithNotTwoAndNotZero[1], 3);
}

TEST(SwapBytes, ExchangesExactlyTheGivenBytes) {
    unsigned char a[6] = {1, 2, 3, 4, 5, 6};
    unsigned char b[6] = {9, 8, 7, 6, 5, 4};
    swapBytes(a, b, 0);
    swapBytes(a, b, -3);
    EXPECT_EQ(a[0], 1);
    swapBytes(a, b, 3);
    const unsigned char expectA[6] = {9, 8, 7, 4, 5, 6};
    const unsigned char expectB[6] = {1, 2, 3, 6, 5, 4};
    EXPECT_EQ(memcmp(a, expectA, 6), 0);
    EXPECT_EQ(memcmp(b, expectB, 6), 0);
    int32_t x = 3, y = -70000;
    swapBytes(&x, &y, sizeof x);
    EXPECT_EQ(x, -70000);
    EXPECT_EQ(y, 3);
}

// Every position with sticks, both levels, first and later moves, and every pair of clock
// readings that can change a draw: the move is always valid and never needed correcting.
TEST(ChooseComputerMove, EveryPositionGetsAValidMove) {
    std::vector<unsigned short> boundaries;
    for (int n = 0; n <= 6; ++n)
        for (int r = 0; r <= n; ++r)
            boundaries.push_back(msFor(r, n));
    boundaries.push_back(999);

    int nrPositions = 0;
    for (int32_t a = 0; a <= 1; ++a)
        for (int32_t b = 0; b <= 3; ++b)
            for (int32_t c = 0; c <= 5; ++c)
                for (int32_t d = 0; d <= 7; ++d) {
                    if (a + b + c + d == 0)
                        continue;
                    ++nrPositions;
                    const Counts counts = {{a, b, c, d}};
                    for (int32_t iq = 0; iq <= 1; ++iq)
                        for (int32_t moves = 0; moves <= 1; ++moves)
                            for (unsigned short first : boundaries)
                                for (unsigned short second : boundaries) {
                                    const uint64_t before = clockReadings();
                                    const ComputerMove m =
                                        choose(counts, iq, moves, {first, second});
                                    ASSERT_LE(clockReadings() - before, 2u);
                                    ASSERT_GE(m.chosenRow, 0);
                                    ASSERT_LT(m.chosenRow, nrRows);
                                    ASSERT_GE(m.nrToRemove, 1);
                                    ASSERT_LE(m.nrToRemove, counts.row[m.chosenRow])
                                        << a << b << c << d << " iq " << iq;
                                    ASSERT_STREQ(m.diagnostic, "")
                                        << a << b << c << d << " iq " << iq;
                                }
                }
    EXPECT_EQ(nrPositions, 383);
}

TEST(ChooseComputerMove, LeavesTheBoardAsItWas) {
    const int32_t nrPresent[nrRows] = {1, 2, 4, 6};
    layOutBoard(nrPresent);
    board[3][6].state = Present; // already so; now compare the whole table after a choice
    Board before;
    memcpy(before, board, sizeof before);
    IqLevel = 1;
    ComputerMove move;
    chooseComputerMove(&move);
    EXPECT_EQ(memcmp(before, board, sizeof before), 0);
}

TEST(ChooseComputerMove, EmptyBoardGivesNoRowWithoutReadingTheClock) {
    for (int32_t iq = 0; iq <= 1; ++iq) {
        const uint64_t before = clockReadings();
        const ComputerMove move = choose({{0, 0, 0, 0}}, iq, 3);
        EXPECT_EQ(clockReadings() - before, 0u);
        EXPECT_EQ(move.chosenRow, -1);
        EXPECT_EQ(move.nrToRemove, 0);
        EXPECT_STREQ(move.diagnostic, "INVALID ROW!\n");
    }
}

TEST(ValidateComputerMove, DropsBadMovesAndFallsBackToTheTopmostRow) {
    struct Case {
        Counts counts;
        int32_t row, take;
        const char *diagnostic;
        int32_t finalRow, finalTake;
    } cases[] = {
        {{{0, 2, 4, 6}}, -1, 0, "INVALID ROW!\n", 1, 1},
        {{{0, 2, 4, 6}}, 4, 1, "INVALID ROW!\n", 1, 1},
        {{{0, 0, 0, 6}}, 7, 1, "INVALID ROW!\n", 3, 1},
        {{{1, 2, 4, 6}}, 2, 0, "INVALID NRTOREMOVE!\n", 0, 1},
        {{{1, 2, 4, 6}}, 2, 5, "INVALID NRTOREMOVE!\n", 0, 1},
        {{{0, 0, 4, 6}}, 1, 1, "INVALID NRTOREMOVE!\n", 2, 1},
        {{{0, 0, 4, 6}}, 3, -2, "INVALID NRTOREMOVE!\n", 2, 1},
        {{{0, 0, 0, 0}}, 3, 1, "INVALID NRTOREMOVE!\n", -1, 0},
        {{{1, 2, 4, 6}}, 2, 4, "", 2, 4},
        {{{1, 2, 4, 6}}, 0, 1, "", 0, 1},
    };
    for (const Case &c : cases) {
        layOutBoard(c.counts.row);
        countSticks();
        RowLists lists;
        buildRowLists(&lists);
        ComputerMove move;
        strcpy(move.diagnostic, c.diagnostic[0] == '\0' ? "" : "an older text");
        move.chosenRow = c.row;
        move.nrToRemove = c.take;
        validateComputerMove(&move, &lists);
        EXPECT_STREQ(move.diagnostic, c.diagnostic) << c.row << " " << c.take;
        EXPECT_EQ(move.chosenRow, c.finalRow) << c.row << " " << c.take;
        EXPECT_EQ(move.nrToRemove, c.finalTake) << c.row << " " << c.take;
    }
}

} // namespace
