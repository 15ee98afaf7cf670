// A whole game by keyboard alone: Tab and Shift+Tab among the controls, the arrow keys across
// the sticks, Enter and Space on sticks, the confirm button and the lever, a menu mnemonic for
// the rules, Enter on the end-of-game message and Esc to leave. At every wait each stick and the
// lever show their faces, the focused one with its focus rectangle over the face. And a mouse press
// dragged off a stick.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/painting.h"
#include "board/phases.h"
#include "game/board.h"
#include "resources/resource.h"
#include "tests/board/harness.h"

namespace {

// A control's place among the board's tab stops in the template's order: "Salir", the sixteen
// sticks, the two action buttons and the lever.
int tabIndex(HWND dialog, HWND window) {
    std::vector<int> order(std::begin(stickControls), std::end(stickControls));
    order.insert(order.begin(), IDCANCEL);
    for (int id : {IDC_FIRST_BUTTON, IDC_SECOND_BUTTON, IDC_LEVER}) {
        order.push_back(id);
    }
    for (size_t i = 0; i < order.size(); ++i) {
        if (GetDlgItem(dialog, order[i]) == window) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Every stick and the lever show their faces on the screen; the number of those that do not.
// Under a modal dialog the board's own pixels are read, and the sticks that the last move
// removed are left out: they show its last frame until the board repaints after the message.
int facesMissing(HWND dialog, bool underADialog = false) {
    int missing = 0;
    for (auto &row : board) {
        for (auto &slot : row) {
            if (slot.controlId && (!underADialog || slot.state == Present) &&
                !buttonShows(dialog, slot.controlId, faceForSlot(&slot), !underADialog)) {
                ADD_FAILURE() << "stick " << slot.controlId << " lost its face";
                ++missing;
            }
        }
    }
    HBITMAP lever = boardBitmap(IqLevel == 1 ? IDB_LEVER_HIGH : IDB_LEVER_LOW);
    if (!buttonShows(dialog, IDC_LEVER, lever, !underADialog)) {
        ADD_FAILURE() << "the lever lost its face";
        ++missing;
    }
    return missing;
}

// Moves the focus one step towards a control: with the arrow keys inside the group that runs
// from "Salir" across the sticks to the confirm button, else with Tab or Shift+Tab.
void stepTowards(HWND dialog, int id) {
    const int groupEnd = 18; // "Salir", the sixteen sticks, the confirm button
    int from = tabIndex(dialog, GetFocus()), to = tabIndex(dialog, GetDlgItem(dialog, id));
    if (from >= 0 && from < groupEnd && to < groupEnd) {
        headlessKey(from > to ? VK_LEFT : VK_RIGHT);
    } else {
        headlessKey(VK_TAB, from > to ? unsigned(HeadlessShift) : 0u);
    }
}

// The player's move: the whole first row that has sticks, one stick at a time, then confirm.
void playByKeyboard(HWND dialog) {
    countSticks();
    int32_t row = lockedRow;
    while (row == -1 || (lockedRow == -1 && row < nrRows && presentInRow[row] == 0)) {
        ++row;
    }
    int target = IDC_FIRST_BUTTON;
    for (int32_t column = 0; row < nrRows && column < nrColumns; ++column) {
        const StickSlot &slot = board[row][column];
        if (slot.controlId && slot.state == Present) {
            target = static_cast<int>(slot.controlId);
            break;
        }
    }
    if (GetFocus() == GetDlgItem(dialog, target)) {
        // A stick reached by the arrows is the default button, which Enter presses; the
        // confirm button takes Space.
        headlessKey(target == IDC_FIRST_BUTTON ? VK_SPACE : VK_RETURN);
    } else {
        stepTowards(dialog, target);
    }
}

TEST(KeyboardPlay, AWholeGameKeepsEveryFaceAndShowsTheFocus) {
    resetEverything();
    BoardRun run;
    int wait = 0, nrPressedLooks = 0, nrMessages = 0;
    bool rulesSeen = false;
    run.onNested = [&](HWND dialog) {
        // The board under a modal dialog keeps its faces.
        facesMissing(GetParent(dialog), true);
        headlessKey(VK_RETURN);
    };
    run.onEveryWait = [&](HWND d) {
        if (++wait > 2000) {
            ADD_FAILURE() << "the game did not end";
            EndDialog(d, IDCANCEL);
            return;
        }
        if (facesMissing(d) != 0) {
            EndDialog(d, IDCANCEL);
            return;
        }
        switch (wait) {
        case 1:
            EXPECT_EQ(GetFocus(), GetDlgItem(d, IDCANCEL));
            headlessKey(VK_TAB);
            return;
        case 2:
            EXPECT_EQ(GetFocus(), GetDlgItem(d, 1000)); // its face carries the focus rectangle
            headlessKey(VK_TAB, HeadlessShift);
            return;
        case 3:
            // Alt+Y opens "Ayuda", R picks "Reglas"; Enter closes the rules.
            EXPECT_EQ(GetFocus(), GetDlgItem(d, IDCANCEL));
            headlessKey('Y', HeadlessAlt);
            headlessKey('R');
            return;
        case 4:
            rulesSeen = run.seen.size() == 1 && run.seen[0].title == "Reglas del juego";
            headlessKey(VK_TAB, HeadlessShift); // wraps round to the lever
            return;
        case 5:
            EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_LEVER));
            headlessKey(VK_SPACE);
            return;
        case 6:
            EXPECT_EQ(IqLevel, 1);
            headlessKey(VK_TAB); // on to "Salir"
            return;
        case 7:
            headlessKey(VK_TAB); // the first stick, the whole top row
            return;
        case 8: {
            // Space held down shows the pressed look over the face.
            headlessKeyDown(VK_SPACE);
            return;
        }
        case 9: {
            // The faces were checked above, this one sunk in under its focus rectangle.
            EXPECT_TRUE(SendMessageA(GetDlgItem(d, 1000), BM_GETSTATE, 0, 0) & BST_PUSHED);
            EXPECT_EQ(headlessPixel(GetDlgItem(d, 1000), 0, 35), 0x808080u);
            nrPressedLooks++;
            headlessKeyUp(VK_SPACE);
            return;
        }
        }
        if (nrMessages < static_cast<int>(run.seen.size()) - 1) {
            // The end-of-game message was answered with Enter and a new game began: leave.
            nrMessages = static_cast<int>(run.seen.size()) - 1;
            EXPECT_EQ(GamePhase, ChoosingStarter);
            headlessKey(VK_ESCAPE);
            return;
        }
        playByKeyboard(d);
    };
    run.run({});
    EXPECT_TRUE(rulesSeen);
    EXPECT_EQ(nrPressedLooks, 1);
    ASSERT_EQ(run.seen.size(), 2u) << "the rules, then one end-of-game message";
    EXPECT_EQ(run.seen[1].title, "Fin del juego");
    EXPECT_FALSE(run.endedByHarness) << "Esc ends the board";
}

} // namespace

namespace {

// A press on a stick sinks its face in; dragging off lifts it and releasing there clicks
// nothing. The face shows throughout.
TEST(FacePress, PressAndDragOffKeepsTheFace) {
    resetEverything();
    BoardRun run;
    HBITMAP present = nullptr;
    run.run({[](HWND d) { headlessMouseAt(GetDlgItem(d, 1005), InputEvent::MouseDown, 10, 30); },
             [&](HWND d) {
                 present = boardBitmap(IDB_PRESENT);
                 EXPECT_TRUE(SendMessageA(GetDlgItem(d, 1005), BM_GETSTATE, 0, 0) & BST_PUSHED);
                 EXPECT_TRUE(buttonShows(d, 1005, present)); // sunk in, focus rectangle over it
                 headlessMouseAt(GetDlgItem(d, 1005), InputEvent::MouseMove, 60, 30);
             },
             [&](HWND d) {
                 EXPECT_FALSE(SendMessageA(GetDlgItem(d, 1005), BM_GETSTATE, 0, 0) & BST_PUSHED);
                 EXPECT_TRUE(buttonShows(d, 1005, present));
                 headlessMouseAt(GetDlgItem(d, 1005), InputEvent::MouseUp, 60, 30);
             },
             [&](HWND d) {
                 EXPECT_EQ(GamePhase, ChoosingStarter) << "released off the stick: no click";
                 EXPECT_TRUE(buttonShows(d, 1005, present));
                 EXPECT_EQ(GetFocus(), GetDlgItem(d, 1005));
             }});
}

} // namespace
