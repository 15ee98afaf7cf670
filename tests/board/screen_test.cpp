// What the player sees at the moments that matter, read from the screen as it was presented:
// the computer's pause and the removal frames, and the board under each modal dialog.
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

} // namespace
