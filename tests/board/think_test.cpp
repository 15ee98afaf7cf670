// The computer's turn: the pause and what shows during it, the marking of the leftmost sticks,
// the count of computer turns and the diagnostic of a corrected choice.
#include <gtest/gtest.h>

#include "board/animation.h"
#include "board/phases.h"
#include "game/board.h"
#include "game/think.h"
#include "resources/resource.h"
#include "tests/board/harness.h"
#include "tests/support/clock.h"

namespace {

const char prompt[] = "TE TOCA A TI: Selecciona palitos (en una linea)";

// What the move choice saw when THINK asked it.
struct ChoiceMoment {
    bool called = false;
    bool actionsHidden = false;
    bool othersVisible = false;
    std::string status;
    std::vector<DWORD> sleeps;
    int32_t computerMoves = -1;
};
ChoiceMoment moment;
HWND thinkingBoard;
ComputerMove forcedMove;
bool forceMove;

void observingChooser(ComputerMove *move) {
    moment.called = true;
    moment.actionsHidden = true;
    for (int id : {IDC_FIRST_BUTTON, IDC_SECOND_BUTTON, IDC_FIRST_LABEL, IDC_SECOND_LABEL}) {
        moment.actionsHidden = moment.actionsHidden && !controlVisible(thinkingBoard, id);
    }
    moment.othersVisible =
        controlVisible(thinkingBoard, IDC_LEVER) && controlVisible(thinkingBoard, IDC_LEVER_LOW) &&
        controlVisible(thinkingBoard, IDC_LEVER_HIGH) && controlVisible(thinkingBoard, IDCANCEL);
    moment.status = controlText(thinkingBoard, IDC_STATUS);
    moment.sleeps = headlessSleeps();
    moment.computerMoves = computerMoves;
    if (forceMove) {
        *move = forcedMove;
    } else {
        chooseComputerMove(move);
    }
}

class ComputerTurn : public ::testing::Test {
  protected:
    void SetUp() override {
        resetEverything();
        moment = ChoiceMoment();
        forceMove = false;
        computerMoveChooser = observingChooser;
    }
    void TearDown() override { computerMoveChooser = chooseComputerMove; }
    BoardRun run;
};

TEST_F(ComputerTurn, PausesWithTheButtonsHiddenThenHandsOver) {
    run.run({[](HWND d) {
                 thinkingBoard = d;
                 clickControl(d, IDC_FIRST_BUTTON);
             },
             [](HWND d) {
                 ASSERT_TRUE(moment.called);
                 EXPECT_TRUE(moment.actionsHidden);
                 EXPECT_TRUE(moment.othersVisible);
                 EXPECT_EQ(moment.status, "ORDANEL SOFTWARE: ............");
                 ASSERT_EQ(moment.sleeps.size(), 1u);
                 EXPECT_EQ(moment.sleeps[0], 2000u);
                 EXPECT_EQ(moment.computerMoves, 0);
                 EXPECT_EQ(computerMoves, 1);
                 for (int id :
                      {IDC_FIRST_BUTTON, IDC_SECOND_BUTTON, IDC_FIRST_LABEL, IDC_SECOND_LABEL}) {
                     EXPECT_TRUE(controlVisible(d, id)) << id;
                 }
                 EXPECT_EQ(controlText(d, IDC_STATUS), prompt);
                 EXPECT_EQ(controlText(d, IDC_FIRST_LABEL), "S\xED, remueveme estos");
                 EXPECT_EQ(controlText(d, IDC_SECOND_LABEL), "Reinicia");
                 EXPECT_FALSE(controlEnabled(d, IDC_FIRST_BUTTON));
                 EXPECT_FALSE(controlEnabled(d, IDC_FIRST_LABEL));
                 EXPECT_EQ(GamePhase, PlayerTurn);
                 EXPECT_LT(countSticks(), 16);
                 EXPECT_EQ(totalSelected, 0);
                 EndDialog(d, IDCANCEL);
             }});
}

TEST_F(ComputerTurn, CountsItsTurnsAlsoWhenThePlayerOpened) {
    run.run({[](HWND d) {
                 thinkingBoard = d;
                 clickControl(d, 1000);
             },
             [](HWND d) { clickControl(d, IDC_FIRST_BUTTON); },
             [](HWND d) {
                 EXPECT_EQ(moment.computerMoves, 0);
                 EXPECT_EQ(computerMoves, 1);
                 EndDialog(d, IDCANCEL);
             }});
}

TEST_F(ComputerTurn, MarksTheLeftmostPresentSticks) {
    run.run({[](HWND d) {
                 thinkingBoard = d;
                 clickControl(d, IDC_SECOND_BUTTON);
             },
             [](HWND d) {
                 for (int column = 0; column < 7; column++) {
                     board[3][column].state = Removed;
                 }
                 board[3][1].state = Present;
                 board[3][4].state = Present;
                 board[3][6].state = Present;
                 forceMove = true;
                 forcedMove = ComputerMove{3, 2, ""};
                 scriptClock({0}); // sequence 0
                 THINK(d);
                 EXPECT_EQ(board[3][1].state, Removed);
                 EXPECT_EQ(board[3][4].state, Removed);
                 EXPECT_EQ(board[3][6].state, Present);
                 EXPECT_EQ(board[0][0].state, Present);
                 EXPECT_EQ(board[2][4].state, Present);
                 EXPECT_EQ(controlText(d, IDC_STATUS), prompt);
                 // The pause, then sequence 0.
                 const AnimationSequence &first = animationSequences[0];
                 std::vector<DWORD> expected = {2000};
                 for (int i = 0; i < first.nrRepeats * first.nrFrames; i++) {
                     expected.push_back(first.frames[i % first.nrFrames].delay);
                 }
                 EXPECT_EQ(headlessSleeps(), expected);
                 EndDialog(d, IDCANCEL);
             }});
}

struct DiagnosticCase {
    ComputerMove move;
    const char *status;
    int32_t nrRemovedInRow0;
};

TEST_F(ComputerTurn, ShowsTheDiagnosticOfACorrectedChoice) {
    const DiagnosticCase cases[] = {
        {{0, 1, "INVALID ROW!\n"}, "INVALID ROW!\n", 1},
        {{0, 1, "INVALID NRTOREMOVE!\n"}, "INVALID NRTOREMOVE!\n", 1},
        {{-1, 0, "INVALID ROW!\n"}, "INVALID ROW!\n", 0}, // no move at all: nothing marked
        {{0, 1, ""}, prompt, 1},
    };
    for (const DiagnosticCase &c : cases) {
        resetEverything();
        BoardRun r;
        r.run({[&](HWND d) {
            thinkingBoard = d;
            forceMove = true;
            forcedMove = c.move;
            THINK(d);
            EXPECT_EQ(controlText(d, IDC_STATUS), c.status);
            EXPECT_EQ(board[0][0].state == Removed, c.nrRemovedInRow0 == 1) << c.status;
            EXPECT_EQ(computerMoves, 1);
            EXPECT_EQ(GamePhase, PlayerTurn);
            if (c.move.chosenRow == -1) {
                EXPECT_EQ(headlessSleeps(), std::vector<DWORD>{2000});
            }
            EndDialog(d, IDCANCEL);
        }});
    }
}

TEST_F(ComputerTurn, ARowOutsideTheBoardMarksNothing) {
    run.run({[](HWND d) {
        thinkingBoard = d;
        forceMove = true;
        forcedMove = ComputerMove{7, 1, "INVALID ROW!\n"};
        THINK(d);
        EXPECT_EQ(countSticks(), 16);
        EXPECT_EQ(controlText(d, IDC_STATUS), "INVALID ROW!\n");
        EndDialog(d, IDCANCEL);
    }});
}

} // namespace
