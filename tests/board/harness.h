// Runs the real board dialog on the headless backend with the steps of tests/support/steps.h;
// nested dialogs (messages, about) are recorded and closed.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "tests/support/steps.h"

// A nested dialog as it showed when its loop first waited.
struct SeenDialog {
    std::string title;
    std::string text; // the message text, for the message dialog
    RECT outer;       // screen rectangle
    int32_t styleCode;
    size_t nrBeepsBefore; // beeps recorded when it opened
    bool boardEnabled;    // the board dialog's state while it showed
};

// Fresh backend, fresh game state (phase, lock, level, computer turns, bitmaps).
void resetEverything();
// Forgets the board's bitmap handles (after the game or a test released them itself).
void forgetBitmaps();
// Every way out of the board: "Salir", Archivo > Salir, Esc and the close box.
extern const Step waysOut[4];

struct BoardRun {
    std::vector<SeenDialog> seen;
    Step onNested;          // null: press Enter in the nested dialog
    Step betweenCommands;   // runs before every step
    DLGPROC proc = nullptr; // null: boardDialogProc
    HWND frame = nullptr;
    bool endedByHarness = false; // no step ended the board
    Step onEveryWait;            // when set, runs at every wait instead of the steps

    // Opens the frame (unless `frame` already names a live one, which is then reused) and the
    // board dialog as the start-up does and runs the steps; the board ends with IDCANCEL after
    // the last step unless a step ended it, and it must stay open for every step.
    void run(std::vector<Step> steps);
};

// The pixels of a bitmap stretched over width x height as the board draws its faces.
std::vector<uint32_t> stretchedFace(HBITMAP face, int width, int height);
// Whether a stick or lever button shows this face stretched to it, sunk in when it is pushed and
// with the focus rectangle's dots inverted over it when it has the focus (nothing else): on the
// screen as last presented, or (onScreen false) on its window's pixels, under whatever covers it.
bool buttonShows(HWND dialog, int id, HBITMAP face, bool onScreen = true);
