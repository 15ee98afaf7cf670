// The user on the headless backend: steps that run one at a time whenever a dialog's modal loop
// waits for input, each given that dialog, with what a step clicks, presses and looks at.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/win32.h"

using Step = std::function<void(HWND dialog)>;

struct StepRun {
    // A dialog opened over the first one: onNestedOpens runs when it first waits, onNested at
    // every wait (null: Enter).
    Step onNestedOpens, onNested;
    Step beforeEach;      // at every wait of the first dialog, before its step
    Step onEveryWait;     // when set, runs at every wait of the first dialog instead of the steps
    HWND first = nullptr; // the dialog that the steps are given, once its loop waits
    size_t nrRun = 0;     // steps run
    bool endedByRun = false; // the steps ran out and the run ended the first dialog (IDCANCEL)

    // Calls open, which runs a dialog's modal loop, with the steps at the loop's waits.
    void run(const std::vector<Step> &steps, const std::function<void()> &open);
};

// Input, scripted to be made as soon as possible.
void clickControl(HWND dialog, int id);
void postCommand(HWND dialog, int id);
// Opens a drop-down of the menu bar and clicks one of its entries.
void clickMenu(HWND dialog, int barIndex, int entryIndex);

std::string controlText(HWND dialog, int id);
bool controlEnabled(HWND dialog, int id);
bool controlVisible(HWND dialog, int id);
