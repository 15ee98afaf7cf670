// What the player sees at the moments that matter, read from the screen as it was presented:
// the computer's pause and the removal frames, the board under each modal dialog, and the
// focus moved by the keys and by the mouse.
#include <gtest/gtest.h>

#include "board/phases.h"
#include "game/board.h"
#include "resources/resource.h"
#include "tests/board/harness.h"

namespace {

Surface shownArea(HWND window) {
    Surface area;
    headlessScreenCrop(window, &area);
    return area;
}

bool operator==(const Surface &a, const Surface &b) {
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

int countOf(const Surface &area, uint32_t pixel) {
    int count = 0;
    for (uint32_t p : area.pixels) {
        count += p == pixel ? 1 : 0;
    }
    return count;
}

// The black dots on the top row of a push button's focus rectangle.
int focusDots(HWND button, bool isDefault) {
    Surface area = shownArea(button);
    int row = isDefault ? 3 : 2;
    int dots = 0;
    for (int x = row; x < area.width - row; ++x) {
        dots += area.pixels[static_cast<size_t>(row) * area.width + x] == 0 ? 1 : 0;
    }
    return dots;
}

const int actionIds[] = {IDC_FIRST_BUTTON, IDC_SECOND_BUTTON, IDC_FIRST_LABEL, IDC_SECOND_LABEL};

class Screen : public ::testing::Test {
  protected:
    void SetUp() override { resetEverything(); }
    BoardRun run;
};

// During the 2000 ms pause the status line shows the thinking text and the action controls are
// gone (only the board's background where they were); every removal frame reaches the screen
// before its pause, with the thinking line still there.
TEST_F(Screen, TheComputersPauseAndEachRemovalFrameAreOnTheScreen) {
    HWND board = nullptr;
    Surface before, pause, thinking;
    std::vector<Surface> actionsInPause, frames, statusInFrames;
    headlessSetSleepHook([&](DWORD milliseconds) {
        if (milliseconds == 2000) {
            pause = shownArea(GetDlgItem(board, IDC_STATUS));
            for (int id : actionIds) {
                actionsInPause.push_back(shownArea(GetDlgItem(board, id)));
            }
        } else {
            frames.push_back(shownArea(board));
            statusInFrames.push_back(shownArea(GetDlgItem(board, IDC_STATUS)));
        }
    });
    run.run({[&](HWND d) {
                 board = d;
                 before = shownArea(GetDlgItem(d, IDC_STATUS));
                 clickControl(d, IDC_FIRST_BUTTON);
             },
             [&](HWND d) {
                 // The layer's own drawing of the thinking line, to compare the pause with.
                 SetWindowTextA(GetDlgItem(d, IDC_STATUS), thinkingText);
                 headlessPicture(GetDlgItem(d, IDC_STATUS), &thinking);
             }});
    headlessSetSleepHook(nullptr);
    ASSERT_GT(pause.width, 0);
    EXPECT_TRUE(pause == thinking) << "the status line during the pause is not the thinking text";
    EXPECT_FALSE(pause == before);
    ASSERT_EQ(actionsInPause.size(), 4u);
    for (const Surface &area : actionsInPause) {
        EXPECT_EQ(countOf(area, 0xC0C0C0), area.width * area.height) << "an action control shows";
    }
    ASSERT_GE(frames.size(), 2u);
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_TRUE(statusInFrames[i] == thinking) << "frame " << i;
        if (i > 0) {
            EXPECT_FALSE(frames[i] == frames[i - 1]) << "frame " << i << " was not presented";
        }
    }
}

// A modal dialog disables the board, not its controls: the texts it leaves uncovered keep their
// black pixels, with no grey emboss.
TEST_F(Screen, TheBoardsTextsStayBlackUnderEachModalDialog) {
    const int textIds[] = {IDC_STATUS, IDC_SECOND_LABEL, IDC_LEVER_LOW};
    std::vector<Surface> reference;
    int nrDialogsSeen = 0;
    auto remember = [&](HWND d) {
        reference.clear();
        for (int id : textIds) {
            reference.push_back(shownArea(GetDlgItem(d, id)));
            EXPECT_GT(countOf(reference.back(), 0x000000), 5) << id;
        }
    };
    HWND board = nullptr;
    run.onNested = [&](HWND dialog) {
        SCOPED_TRACE(run.seen.back().title);
        RECT covered;
        GetWindowRect(dialog, &covered);
        int compared = 0;
        for (size_t i = 0; i < reference.size(); ++i) {
            HWND control = GetDlgItem(board, textIds[i]);
            Surface now = shownArea(control);
            POINT origin{0, 0};
            ClientToScreen(control, &origin);
            for (int y = 0; y < now.height; ++y) {
                for (int x = 0; x < now.width; ++x) {
                    int sx = origin.x + x, sy = origin.y + y;
                    if (sx >= covered.left && sx < covered.right && sy >= covered.top &&
                        sy < covered.bottom) {
                        continue;
                    }
                    size_t at = static_cast<size_t>(y) * now.width + x;
                    EXPECT_EQ(now.pixels[at], reference[i].pixels[at])
                        << "control " << textIds[i] << " at " << x << "," << y;
                    ++compared;
                }
            }
        }
        EXPECT_GT(compared, 1000);
        ++nrDialogsSeen;
        headlessKey(VK_RETURN);
    };
    auto openMenu = [&](int entry) {
        return [&, entry](HWND d) {
            board = d;
            remember(d);
            clickMenu(d, 1, entry);
        };
    };
    run.run({openMenu(0), openMenu(1), openMenu(2),
             [&](HWND d) { clickControl(d, IDC_SECOND_BUTTON); },
             [&](HWND d) {
                 for (auto &row : ::board) {
                     for (auto &slot : row) {
                         slot.state = slot.controlId ? Removed : slot.state;
                     }
                 }
                 ::board[2][2].state = Present;
                 clickControl(d, 1006);
             },
             [&](HWND d) {
                 remember(d);
                 clickControl(d, IDC_FIRST_BUTTON); // the player takes the last stick
             }});
    EXPECT_EQ(nrDialogsSeen, 4);
    ASSERT_EQ(run.seen.size(), 4u);
    EXPECT_EQ(run.seen[3].title, "Fin del juego");
}

// Tab and Shift+Tab move the focus rectangle and the default style; a press dragged off a stick
// moves the focus only, commands nothing, and leaves the default frame where it was.
TEST_F(Screen, TabShiftTabAndAPressDraggedOffMoveTheFocusRectangle) {
    run.run({[](HWND d) {
                 HWND salir = GetDlgItem(d, IDCANCEL);
                 EXPECT_GT(focusDots(salir, false), 5);
                 EXPECT_EQ(shownArea(salir).pixels[0], 0xFFFFFFu); // no default frame at start
                 headlessKey(VK_TAB);
             },
             [](HWND d) {
                 EXPECT_EQ(GetFocus(), GetDlgItem(d, 1000));
                 EXPECT_EQ(focusDots(GetDlgItem(d, IDCANCEL), false), 0);
                 headlessKey(VK_TAB, HeadlessShift);
             },
             [](HWND d) {
                 HWND salir = GetDlgItem(d, IDCANCEL);
                 EXPECT_EQ(GetFocus(), salir);
                 EXPECT_GT(focusDots(salir, true), 5);
                 EXPECT_EQ(shownArea(salir).pixels[0], 0u); // the dialog keys moved the style
                 HWND stick = GetDlgItem(d, 1003);
                 headlessMouseAt(stick, InputEvent::MouseDown, 5, 5);
                 headlessMouseAt(stick, InputEvent::MouseMove, 5, 400);
                 headlessMouseAt(stick, InputEvent::MouseUp, 5, 400);
             },
             [](HWND d) {
                 HWND salir = GetDlgItem(d, IDCANCEL);
                 EXPECT_EQ(GetFocus(), GetDlgItem(d, 1003));
                 EXPECT_EQ(focusDots(salir, true), 0);
                 EXPECT_EQ(shownArea(salir).pixels[0], 0u);
                 EXPECT_EQ(GamePhase, ChoosingStarter);
                 EXPECT_EQ(controlText(d, IDC_STATUS), whoStartsText);
             }});
}

} // namespace
