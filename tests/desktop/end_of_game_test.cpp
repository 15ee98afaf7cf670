// End-of-game messages closed as soon as they show, under openbox, busy loops beside: by Return,
// keypad Enter and a click on OK in turn, in quick games (the player takes the row of 3, the row
// where the computer left 2 sticks, the last stick). The program must live through every closing
// and report no X error (QUILLMERE_DEBUG=1). By hand: QUILLMERE_END_OF_GAME_CLOSINGS=210
// QUILLMERE_BUSY_LOOPS=1, and QUILLMERE_LINUX_PROGRAM for a program built elsewhere.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "game/board.h"
#include "resources/resource.h"
#include "tests/support/board_screen.h"
#include "tests/support/display.h"

namespace {

int fromEnvironment(const char *name, int otherwise) {
    const char *value = getenv(name);
    return value && *value ? atoi(value) : otherwise;
}

// Busy loops on the other cores for as long as the test runs.
struct BusyLoops {
    explicit BusyLoops(int count) : loops(count) {
        for (Child &loop : loops) {
            loop = startChild({"sh", "-c", "while :; do :; done"});
        }
    }
    ~BusyLoops() {
        for (Child &loop : loops) {
            stopChild(&loop);
        }
    }
    std::vector<Child> loops;
};

// The sticks present in the first row that holds count of them (row r from stickControls[r * r]).
std::vector<int> rowHolding(const std::vector<int> &present, size_t count) {
    for (int row = 0; row < nrRows; ++row) {
        std::vector<int> sticks;
        for (int i = row * row; i <= row * row + 2 * row; ++i) {
            if (std::count(present.begin(), present.end(), int(stickControls[i]))) {
                sticks.push_back(stickControls[i]);
            }
        }
        if (sticks.size() == count) {
            return sticks;
        }
    }
    return {};
}

TEST(DesktopGame, EndOfGameMessagesCloseWithoutEndingTheProgram) {
    PrivateDisplay display(800, 600, true);
    if (!display.started()) {
        GTEST_SKIP() << display.problem();
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("QUILLMERE_SCALE", "1", 1);
    setenv("QUILLMERE_DEBUG", "1", 1);
    const char *program = getenv("QUILLMERE_LINUX_PROGRAM");
    const int closings = fromEnvironment("QUILLMERE_END_OF_GAME_CLOSINGS", 9);
    BusyLoops busy(fromEnvironment("QUILLMERE_BUSY_LOOPS", 1));
    char errors[] = "/tmp/quillmere-errors-XXXXXX";
    close(mkstemp(errors));
    std::unique_ptr<char, int (*)(const char *)> removed(errors, unlink); // however the test ends
    Child game;
    BoardOnScreen board;
    ScreenRect message;
    int status = -1, done = 0;
    std::string deaths, why;
    // Polls until the condition holds; false when the program ends first or after 200 polls.
    auto until = [&](const std::function<bool()> &condition) {
        for (int poll = 0; poll < 200 && !childEnded(&game, &status); ++poll) {
            if (condition()) {
                return true;
            }
        }
        return false;
    };
    auto shown = [&] { return findXWindow("Fin del juego", &message, 0); };
    auto fresh = [&] { return !shown() && board.presentSticks().size() == nrSticks; };
    auto start = [&] {
        game = startChild({program ? program : QUILLMERE_LINUX_PROGRAM}, ChildOutput::Discard, -1,
                          errors);
        return board.find(&why) && until(fresh);
    };
    // Takes a row; the computer's turn hides the action buttons until it is over.
    auto play = [&](size_t count) {
        for (int id : rowHolding(board.presentSticks(), count)) {
            board.click(id);
        }
        board.click(IDC_FIRST_BUTTON);
        return until([&] { return shown() || !board.confirmShown(); }) &&
               until([&] { return shown() || board.confirmShown(); });
    };
    ASSERT_TRUE(start()) << why;
    const std::string ways[] = {"Return", "KP_Enter", "click"};
    while (done < closings) {
        const std::string &way = ways[done % 3];
        message = {};
        bool closed = play(3) && play(2) && play(1) && message.width > 0;
        if (closed) {
            ++done;
            if (way == "click") {
                clickAt(message.x + 48, message.y + 22); // on OK
            } else {
                pressKeys({way});
            }
            closed = until(fresh);
        }
        if (childEnded(&game, &status)) {
            deaths += " " + std::to_string(status) + "@" + std::to_string(done) + ":" + way;
            ASSERT_TRUE(start()) << why;
        } else {
            ASSERT_TRUE(closed) << "stuck at closing " << done << " by " << way;
        }
    }
    stopChild(&game);
    ProcessResult xErrors = runProcess({"grep", "-iA3", "x error", errors}, 10000);
    printf("%d end-of-game messages closed beside %zu busy loops; deaths (status@closing:way):%s\n",
           done, busy.loops.size(), deaths.empty() ? " none" : deaths.c_str());
    EXPECT_EQ(deaths, "");
    EXPECT_EQ(xErrors.output, "");
}

} // namespace
