// Runs the real board dialog on the headless backend: steps run one by one whenever the
// board's modal loop waits for input; nested dialogs (messages, about) are recorded and closed.
#pragma once

#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/win32.h"

// A nested dialog as it showed when its loop first waited.
struct SeenDialog {
    std::string title;
    std::string text; // the message text, for the message dialog
    RECT outer;       // screen rectangle
    int32_t styleCode;
    size_t nrBeepsBefore; // beeps recorded when it opened
    bool boardEnabled;    // the board dialog's state while it showed
};

using Step = std::function<void(HWND board)>;
using NestedHandler = std::function<void(HWND dialog)>;

// Fresh backend, fresh game state (phase, lock, level, computer turns, bitmaps).
void resetEverything();

struct BoardRun {
    std::vector<SeenDialog> seen;
    NestedHandler onNested;                          // null: press Enter in the nested dialog
    std::function<void(HWND board)> betweenCommands; // runs before every step
    DLGPROC proc = nullptr;                          // null: boardDialogProc
    HWND frame = nullptr;
    bool endedByHarness = false; // no step ended the board
    bool everyStepRuns = true;   // expect the board to stay open for every step
    Step onEveryWait;            // when set, runs at every wait instead of the steps

    // Opens the frame (unless `frame` already names a live one, which is then reused) and the
    // board dialog as the start-up does and runs the steps; the board ends with IDCANCEL after
    // the last step unless a step ended it.
    void run(std::vector<Step> steps);
};

// Input helpers, scripted as soon as possible.
void clickControl(HWND dialog, int id);
void postCommand(HWND dialog, int id);
// Opens a drop-down of the menu bar and clicks one of its entries.
void clickMenu(HWND dialog, int barIndex, int entryIndex);

std::string controlText(HWND dialog, int id);
bool controlEnabled(HWND dialog, int id);
bool controlVisible(HWND dialog, int id);

// Whether a stick or lever button shows this face stretched to it, sunk in when it is pushed and
// with the focus rectangle's dots inverted over it when it has the focus (nothing else): on the
// screen as last presented, or (onScreen false) on its window's pixels, under whatever covers it.
bool buttonShows(HWND dialog, int id, HBITMAP face, bool onScreen = true);

// Milliseconds at which pickRandom(n) returns value: the first millisecond of its run.
unsigned short millisecondFor(int32_t value, int32_t n);
void scriptClock(std::vector<unsigned short> values);
