// The board dialog's commands, row by row of its state table, through real clicks, keys and
// menu entries on the headless backend.
#include <gtest/gtest.h>

#include "board/painting.h"
#include "board/phases.h"
#include "game/board.h"
#include "platform/controls/controls.h"
#include "resources/resource.h"
#include "tests/board/harness.h"

namespace {

const char whoStarts[] = "\xBFQu\xED"
                         "en comienza?";
const char prompt[] = "TE TOCA A TI: Selecciona palitos (en una linea)";
const char oneRow[] = "\xA1Solo de UNA linea horizontal!";
const char selectOne[] = "\xA1"
                         "Debes seleccionar por lo menos un palito!";

class BoardFlow : public ::testing::Test {
  protected:
    void SetUp() override { resetEverything(); }
    BoardRun run;
};

int32_t countState(int32_t state) {
    int32_t n = 0;
    for (auto &row : board) {
        for (auto &slot : row) {
            n += slot.controlId != 0 && slot.state == state;
        }
    }
    return n;
}

void expectChoosingStarter(HWND dialog) {
    EXPECT_EQ(GamePhase, ChoosingStarter);
    EXPECT_EQ(controlText(dialog, IDC_STATUS), whoStarts);
    EXPECT_EQ(controlText(dialog, IDC_FIRST_LABEL), "Ordanel Software");
    EXPECT_EQ(controlText(dialog, IDC_SECOND_LABEL), "Tu");
    for (int id : {IDC_FIRST_BUTTON, IDC_FIRST_LABEL, IDC_SECOND_BUTTON, IDC_SECOND_LABEL}) {
        EXPECT_TRUE(controlEnabled(dialog, id)) << id;
        EXPECT_TRUE(controlVisible(dialog, id)) << id;
    }
    EXPECT_EQ(countState(Present), 16);
    EXPECT_EQ(lockedRow, -1);
    EXPECT_EQ(computerMoves, 0);
}

void expectPlayerTurnNothingSelected(HWND dialog) {
    EXPECT_EQ(GamePhase, PlayerTurn);
    EXPECT_EQ(controlText(dialog, IDC_STATUS), prompt);
    EXPECT_EQ(controlText(dialog, IDC_FIRST_LABEL), "S\xED, remueveme estos");
    EXPECT_EQ(controlText(dialog, IDC_SECOND_LABEL), "Reinicia");
    EXPECT_FALSE(controlEnabled(dialog, IDC_FIRST_BUTTON));
    EXPECT_FALSE(controlEnabled(dialog, IDC_FIRST_LABEL));
    EXPECT_TRUE(controlEnabled(dialog, IDC_SECOND_BUTTON));
    EXPECT_EQ(lockedRow, -1);
    EXPECT_EQ(countState(Selected), 0);
}

TEST_F(BoardFlow, OpensAskingWhoStarts) {
    run.run({[](HWND d) {
        expectChoosingStarter(d);
        EXPECT_TRUE(controlEnabled(d, IDC_LEVER_LOW));
        EXPECT_FALSE(controlEnabled(d, IDC_LEVER_HIGH));
        EXPECT_EQ(IqLevel, 0);
        EndDialog(d, IDCANCEL);
    }});
}

TEST_F(BoardFlow, ChoosingWhoStarts) {
    // The player starts with the second button.
    run.run({[](HWND d) { clickControl(d, IDC_SECOND_BUTTON); },
             [](HWND d) {
                 expectPlayerTurnNothingSelected(d);
                 EXPECT_EQ(computerMoves, 0);
                 EndDialog(d, IDCANCEL);
             }});
    // A stick click starts the player's turn and selects the stick in the same click.
    resetEverything();
    BoardRun second;
    second.run({[](HWND d) { clickControl(d, 1013); },
                [](HWND d) {
                    EXPECT_EQ(GamePhase, PlayerTurn);
                    EXPECT_EQ(controlText(d, IDC_STATUS), prompt);
                    EXPECT_TRUE(controlEnabled(d, IDC_FIRST_BUTTON));
                    EXPECT_TRUE(controlEnabled(d, IDC_FIRST_LABEL));
                    EXPECT_EQ(board[3][3].state, Selected);
                    EXPECT_EQ(lockedRow, 3);
                    EndDialog(d, IDCANCEL);
                }});
    // The computer starts with the first button: one computer turn, then the player's.
    resetEverything();
    BoardRun third;
    third.run({[](HWND d) { clickControl(d, IDC_FIRST_BUTTON); },
               [](HWND d) {
                   expectPlayerTurnNothingSelected(d);
                   EXPECT_EQ(computerMoves, 1);
                   EXPECT_LT(countState(Present), 16);
                   EXPECT_EQ(countState(Present) + countState(Removed), 16);
                   EndDialog(d, IDCANCEL);
               }});
    EXPECT_TRUE(third.seen.empty());
}

// A point beside a control, in the dialog's client coordinates: dx from its right edge, at its
// vertical centre.
POINT besideControl(HWND dialog, int id, int dx) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    POINT p{r.right + dx, (r.top + r.bottom) / 2};
    ScreenToClient(dialog, &p);
    return p;
}

// A finger is aimed as on Windows, a mouse is not: a tap on the label "Tu" presses its button,
// one in the gap beside stick 1013 (nearer to it than to 1014) selects it, and a tap far from
// any control or a click in the gap does nothing; a tap on the menu bar opens a drop-down
// spaced for the finger.
TEST_F(BoardFlow, TapsGoToTheNearestControlWithinTheContact) {
    run.run({[](HWND d) {
                 POINT p = besideControl(d, IDC_SECOND_BUTTON, 13);
                 headlessClick(d, p.x, p.y);
             },
             [](HWND d) {
                 EXPECT_EQ(GamePhase, ChoosingStarter);
                 POINT p = besideControl(d, IDC_SECOND_BUTTON, 13);
                 headlessTap(d, p.x, p.y, 16);
             },
             [](HWND d) {
                 expectPlayerTurnNothingSelected(d);
                 POINT p = besideControl(d, 1013, 4);
                 headlessClick(d, p.x, p.y);
                 POINT far = besideControl(d, 1000, 30);
                 headlessTap(d, far.x, far.y, 16);
             },
             [](HWND d) {
                 EXPECT_EQ(countState(Selected), 0);
                 POINT p = besideControl(d, 1013, 4);
                 headlessTap(d, p.x, p.y, 16);
             },
             [](HWND d) {
                 EXPECT_EQ(board[3][3].state, Selected);
                 EXPECT_EQ(countState(Selected), 1);
                 RECT ayuda;
                 ASSERT_TRUE(menuBarItemRect(d, 1, &ayuda));
                 headlessTap(d, (ayuda.left + ayuda.right) / 2, -5, 16); // on the menu bar
             },
             [](HWND d) {
                 // The drop-down that the finger opened spaces its entries for it.
                 RECT entry;
                 ASSERT_TRUE(menuEntryRect(d, 1, 0, &entry));
                 EXPECT_EQ(entry.bottom - entry.top, 32);
                 headlessKey(VK_ESCAPE);
                 headlessKey(VK_ESCAPE);
             }});
}

TEST_F(BoardFlow, SelectionLocksToOneRowWithBeepAndText) {
    run.run({[](HWND d) { clickControl(d, IDC_SECOND_BUTTON); },
             [](HWND d) { clickControl(d, 1010); }, [](HWND d) { clickControl(d, 1012); },
             [](HWND d) {
                 EXPECT_EQ(lockedRow, 3);
                 EXPECT_EQ(countState(Selected), 2);
                 EXPECT_TRUE(headlessBeeps().empty());
                 clickControl(d, 1005); // row 2
             },
             [](HWND d) {
                 ASSERT_EQ(headlessBeeps().size(), 1u);
                 EXPECT_EQ(headlessBeeps()[0], (UINT)MB_ICONEXCLAMATION);
                 EXPECT_EQ(controlText(d, IDC_STATUS), oneRow);
                 EXPECT_EQ(board[2][1].state, Present);
                 EXPECT_EQ(countState(Selected), 2);
                 EXPECT_EQ(lockedRow, 3);
                 EXPECT_TRUE(controlEnabled(d, IDC_FIRST_BUTTON));
                 clickControl(d, 1011); // same row again: accepted, prompt back
             },
             [](HWND d) {
                 EXPECT_EQ(controlText(d, IDC_STATUS), prompt);
                 EXPECT_EQ(countState(Selected), 3);
                 EXPECT_EQ(headlessBeeps().size(), 1u);
                 EndDialog(d, IDCANCEL);
             }});
}

TEST_F(BoardFlow, DeselectingTheLastStickReleasesTheLock) {
    run.run({[](HWND d) { clickControl(d, 1001); },
             [](HWND d) {
                 EXPECT_EQ(lockedRow, 1);
                 clickControl(d, 1001);
             },
             [](HWND d) {
                 EXPECT_EQ(lockedRow, -1);
                 EXPECT_EQ(countState(Selected), 0);
                 EXPECT_FALSE(controlEnabled(d, IDC_FIRST_BUTTON));
                 EXPECT_FALSE(controlEnabled(d, IDC_FIRST_LABEL));
                 clickControl(d, 1016); // any row may be chosen now
             },
             [](HWND d) {
                 EXPECT_EQ(lockedRow, 3);
                 EXPECT_EQ(board[3][6].state, Selected);
                 EXPECT_TRUE(headlessBeeps().empty());
                 EndDialog(d, IDCANCEL);
             }});
}

TEST_F(BoardFlow, ConfirmingNothingChangesOnlyTheStatus) {
    run.run({[](HWND d) { clickControl(d, IDC_SECOND_BUTTON); },
             [](HWND d) {
                 clickControl(d, IDC_FIRST_BUTTON); // disabled: nothing happens
             },
             [](HWND d) {
                 EXPECT_EQ(controlText(d, IDC_STATUS), prompt);
                 postCommand(d, IDC_FIRST_BUTTON); // the command itself, as if enabled
             },
             [](HWND d) {
                 EXPECT_EQ(controlText(d, IDC_STATUS), selectOne);
                 EXPECT_EQ(countState(Present), 16);
                 EXPECT_EQ(GamePhase, PlayerTurn);
                 EXPECT_TRUE(headlessSleeps().empty());
                 EndDialog(d, IDCANCEL);
             }});
}

// Leaves the board with only the given sticks present, in PlayerTurn.
void leaveOnly(std::initializer_list<std::pair<int, int>> sticks) {
    for (auto &row : board) {
        for (auto &slot : row) {
            if (slot.controlId) {
                slot.state = Removed;
            }
        }
    }
    for (auto &stick : sticks) {
        board[stick.first][stick.second].state = Present;
    }
}

TEST_F(BoardFlow, PlayerTakingTheLastStickLoses) {
    run.run({[](HWND d) { clickControl(d, IDC_SECOND_BUTTON); },
             [](HWND d) {
                 leaveOnly({{2, 2}});
                 clickControl(d, 1006);
             },
             [](HWND d) {
                 headlessBeeps(); // none so far
                 EXPECT_TRUE(headlessBeeps().empty());
                 clickControl(d, IDC_FIRST_BUTTON);
             },
             [](HWND d) {
                 expectChoosingStarter(d);
                 EndDialog(d, IDCANCEL);
             }});
    ASSERT_EQ(run.seen.size(), 1u);
    const SeenDialog &message = run.seen[0];
    EXPECT_EQ(message.title, "Fin del juego");
    EXPECT_EQ(message.text, "ORDANEL SOFTWARE GANO!!!");
    EXPECT_EQ(message.styleCode, 15150);
    EXPECT_EQ(message.outer.left, 100);
    EXPECT_EQ(message.outer.top, 100);
    EXPECT_EQ(message.outer.right - message.outer.left, 700);
    EXPECT_EQ(message.outer.bottom - message.outer.top, 150);
    EXPECT_FALSE(message.boardEnabled);
    ASSERT_EQ(message.nrBeepsBefore, 1u);
    EXPECT_EQ(headlessBeeps()[0], (UINT)MB_ICONASTERISK);
    EXPECT_EQ(headlessBeeps().size(), 1u);
    // No computer turn: no 2000 ms pause.
    for (DWORD sleep : headlessSleeps()) {
        EXPECT_NE(sleep, 2000u);
    }
}

TEST_F(BoardFlow, ComputerTakingTheLastStickLoses) {
    run.run({[](HWND d) { clickControl(d, IDC_SECOND_BUTTON); },
             [](HWND d) {
                 leaveOnly({{3, 0}, {3, 5}});
                 clickControl(d, 1010);
             },
             [](HWND d) { clickControl(d, IDC_FIRST_BUTTON); },
             [](HWND d) {
                 expectChoosingStarter(d);
                 EndDialog(d, IDCANCEL);
             }});
    ASSERT_EQ(run.seen.size(), 1u);
    const SeenDialog &message = run.seen[0];
    EXPECT_EQ(message.title, "Fin del juego");
    EXPECT_EQ(message.text, "Bueno. Hm. Ganas. Esta vez.");
    EXPECT_EQ(message.styleCode, 12);
    EXPECT_EQ(message.outer.right - message.outer.left, 600);
    EXPECT_EQ(message.outer.bottom - message.outer.top, 300);
    ASSERT_EQ(headlessBeeps().size(), 1u);
    EXPECT_EQ(headlessBeeps()[0], (UINT)MB_ICONEXCLAMATION);
    EXPECT_EQ(message.nrBeepsBefore, 1u);
}

TEST_F(BoardFlow, GameGoesOnWhenSticksRemain) {
    run.run({[](HWND d) { clickControl(d, IDC_SECOND_BUTTON); },
             [](HWND d) { clickControl(d, 1000); },
             [](HWND d) { clickControl(d, IDC_FIRST_BUTTON); },
             [](HWND d) {
                 expectPlayerTurnNothingSelected(d);
                 EXPECT_EQ(board[0][0].state, Removed);
                 EXPECT_EQ(computerMoves, 1);
                 EXPECT_LT(countState(Present), 15);
                 EndDialog(d, IDCANCEL);
             }});
    EXPECT_TRUE(run.seen.empty());
}

TEST_F(BoardFlow, RestartGivesAFreshBoard) {
    run.run({[](HWND d) { clickControl(d, IDC_FIRST_BUTTON); }, // computer opens
             [](HWND d) { clickControl(d, 1016); },
             [](HWND d) {
                 EXPECT_EQ(computerMoves, 1);
                 clickControl(d, IDC_SECOND_BUTTON);
             },
             [](HWND d) {
                 expectChoosingStarter(d);
                 EndDialog(d, IDCANCEL);
             }});
}

TEST_F(BoardFlow, LeverTogglesTheLevelThreeTimes) {
    run.run({[](HWND d) { clickControl(d, IDC_LEVER); },
             [](HWND d) {
                 EXPECT_EQ(IqLevel, 1);
                 EXPECT_FALSE(controlEnabled(d, IDC_LEVER_LOW));
                 EXPECT_TRUE(controlEnabled(d, IDC_LEVER_HIGH));
                 clickControl(d, IDC_LEVER);
             },
             [](HWND d) {
                 EXPECT_EQ(IqLevel, 0);
                 EXPECT_TRUE(controlEnabled(d, IDC_LEVER_LOW));
                 EXPECT_FALSE(controlEnabled(d, IDC_LEVER_HIGH));
                 clickControl(d, IDC_LEVER);
             },
             [](HWND d) {
                 EXPECT_EQ(IqLevel, 1);
                 clickControl(d, IDC_SECOND_BUTTON); // a new game keeps the level
             },
             [](HWND d) { clickControl(d, IDC_SECOND_BUTTON); },
             [](HWND d) {
                 EXPECT_EQ(GamePhase, ChoosingStarter);
                 EXPECT_EQ(IqLevel, 1);
                 EXPECT_TRUE(controlEnabled(d, IDC_LEVER_HIGH));
                 EndDialog(d, IDCANCEL);
             }});
}

struct MenuCase {
    int bar, entry;
    const char *title;
    int width, height, styleCode;
};

TEST_F(BoardFlow, MenuEntriesLeaveTheGameAsItWas) {
    const MenuCase cases[] = {
        {1, 0, "Reglas del juego", 500, 300, 20},
        {1, 1, "Manejo", 500, 250, 1120},
        {1, 2, "Acerca", 0, 0, 0},
    };
    for (const MenuCase &menu : cases) {
        resetEverything();
        BoardRun r;
        Board before;
        r.run({[](HWND d) { clickControl(d, IDC_SECOND_BUTTON); },
               [](HWND d) { clickControl(d, 1011); },
               [&](HWND d) {
                   memcpy(before, board, sizeof before);
                   clickMenu(d, menu.bar, menu.entry);
               },
               [&](HWND d) {
                   EXPECT_EQ(memcmp(before, board, sizeof before), 0) << menu.title;
                   EXPECT_EQ(GamePhase, PlayerTurn);
                   EXPECT_EQ(lockedRow, 3);
                   EXPECT_TRUE(controlEnabled(d, IDC_FIRST_BUTTON));
                   EXPECT_EQ(controlText(d, IDC_STATUS), prompt);
                   EndDialog(d, IDCANCEL);
               }});
        ASSERT_EQ(r.seen.size(), 1u) << menu.title;
        EXPECT_EQ(r.seen[0].title, menu.title);
        EXPECT_FALSE(r.seen[0].boardEnabled);
        if (menu.width) {
            EXPECT_EQ(r.seen[0].outer.right - r.seen[0].outer.left, menu.width);
            EXPECT_EQ(r.seen[0].outer.bottom - r.seen[0].outer.top, menu.height);
            EXPECT_EQ(r.seen[0].styleCode, menu.styleCode);
        }
    }
}

TEST_F(BoardFlow, EveryWayOutEndsTheBoard) {
    for (const Step &leave : waysOut) {
        resetEverything();
        BoardRun r;
        r.run({leave});
        EXPECT_FALSE(r.endedByHarness);
        EXPECT_TRUE(r.seen.empty());
    }
}

} // namespace
