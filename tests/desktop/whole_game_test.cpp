// A whole game through the real program's window on a private X server: the player always takes
// the leftmost stick of the topmost row, the computer answers, until one side takes the last
// stick. The message that ends the game must be the one for the side that did not take it.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "resources/resource.h"
#include "tests/support/board_screen.h"
#include "tests/support/display.h"

namespace {

TEST(DesktopGame, WholeGameEndsWithTheRightMessage) {
    PrivateDisplay display(800, 600);
    if (!display.started()) {
        GTEST_SKIP() << display.problem();
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("QUILLMERE_SCALE", "1", 1);
    Child game = startChild({QUILLMERE_LINUX_PROGRAM});
    BoardOnScreen board;
    std::string why;
    ASSERT_TRUE(board.find(&why)) << why;
    for (int round = 1; round <= 16; ++round) {
        std::vector<int> present = board.presentSticks();
        ASSERT_FALSE(present.empty()) << "no stick left on the board in round " << round;
        printf("round %d: %zu sticks present\n", round, present.size());
        board.click(present[0]);
        board.click(IDC_FIRST_BUTTON);
        // The removal plays (up to 1 s); then the computer hides the action buttons, pauses 2 s
        // and plays its own (up to 1 s). The round is over when the message opens, or when the
        // buttons that the computer hid are back; a slow machine only makes it wait longer.
        ScreenRect message;
        bool ended = false, hidden = false;
        for (int tries = 0; tries < 300; ++tries) {
            usleep(100000);
            if ((ended = findXWindow("Fin del juego", &message, 0))) {
                break;
            }
            if (!board.confirmShown()) {
                hidden = true;
            } else if (hidden) {
                break;
            }
        }
        if (!ended) {
            ASSERT_GT(present.size(), 1u) << "the last stick was taken and no message came";
            usleep(300000); // the repaint that ends the command
            continue;
        }
        // The computer's win is told in a window 700 pixels wide, the player's in one of 600.
        printf("message %d pixels wide after round %d\n", message.width, round);
        if (present.size() == 1) {
            EXPECT_GT(message.width, 650) << "not the computer's win";
        } else {
            EXPECT_GT(message.width, 550) << "not the player's win";
            EXPECT_LT(message.width, 650) << "not the player's win";
        }
        pressKeys({"Return"});
        usleep(500000);
        EXPECT_EQ(board.presentSticks().size(), 16u) << "not a fresh board after the game";
        pressKeys({"Escape"});
        EXPECT_EQ(finishChild(&game, 30000).status, 0);
        return;
    }
    FAIL() << "the game did not end in 16 rounds";
}

} // namespace
