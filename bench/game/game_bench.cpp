// Start-up to the first painted board, and the peak memory of a whole game, on the desktop
// backend (run under Xvfb). The board dialog is the real one: a thin procedure in front of it
// watches for the first paint and plays the player's side of a game through real commands.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>

#include "board/commands.h"
#include "board/painting.h"
#include "board/phases.h"
#include "game/board.h"
#include "resources/resource.h"
#include "shell/app.h"

namespace {

bool firstPaintSeen;

INT_PTR CALLBACK endAtFirstPaint(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = boardDialogProc(dialog, message, wParam, lParam);
    if (message == WM_PAINT && !firstPaintSeen) {
        firstPaintSeen = true;
        EndDialog(dialog, IDCANCEL);
    }
    return result;
}

// The start-up of the entry routine, with the board dialog run through the given procedure.
void startUp(DLGPROC boardProc) {
    appInstance = nullptr;
    LoadStringA(appInstance, IDS_APP_TITLE, windowTitle, frameTextCapacity);
    LoadStringA(appInstance, IDS_WINDOW_CLASS, windowClassName, frameTextCapacity);
    registerFrameClass(appInstance);
    loadBitmaps();
    resetBoard();
    HWND frame =
        CreateWindowExA(0, windowClassName, windowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                        CW_USEDEFAULT, 0, nullptr, nullptr, appInstance, nullptr);
    ShowWindow(frame, SW_MINIMIZE);
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_BOARD), frame, boardProc, 0);
    DestroyWindow(frame);
}

void StartupToFirstPaint(benchmark::State &state) {
    for (auto _ : state) {
        firstPaintSeen = false;
        auto start = std::chrono::steady_clock::now();
        startUp(endAtFirstPaint);
        auto elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    }
}
BENCHMARK(StartupToFirstPaint)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(StartupToFirstPaint)
    ->Name("StartupToFirstPaint/warm")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// The player's side of a whole game, driven by posted messages: the player lets the computer
// open, then always takes a whole row (the topmost with sticks), so the game ends in a few
// turns with one of the two result messages, which is closed from inside its own modal loop.
enum { NextMove = WM_USER + 1, CloseResult = WM_USER + 2 };
int32_t nrGamesEnded;
int32_t commandDepth;

void postNextMove(HWND dialog) {
    if (GamePhase == ChoosingStarter) {
        PostMessageA(dialog, WM_COMMAND, IDC_FIRST_BUTTON, 0);
        return;
    }
    for (int32_t row = 0; row < nrRows; row++) {
        for (int32_t column = 0; column < nrColumns; column++) {
            if (board[row][column].state == Present) {
                PostMessageA(dialog, WM_COMMAND, board[row][column].controlId, 0);
            }
        }
        if (presentInRow[row] > 0) {
            break;
        }
    }
    PostMessageA(dialog, WM_COMMAND, IDC_FIRST_BUTTON, 0);
}

INT_PTR CALLBACK playOneGame(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CloseResult) {
        // Arrives inside the result message's modal loop when the game has just ended.
        if (commandDepth > 0) {
            HWND focus = GetFocus();
            if (focus && GetParent(focus) != dialog) {
                EndDialog(GetParent(focus), IDOK);
                nrGamesEnded++;
            }
        }
        return TRUE;
    }
    if (message == NextMove) {
        if (commandDepth > 0) {
            PostMessageA(dialog, NextMove, 0, 0); // not while a command is being handled
        } else if (nrGamesEnded > 0) {
            EndDialog(dialog, IDCANCEL);
        } else {
            countSticks();
            postNextMove(dialog);
            PostMessageA(dialog, NextMove, 0, 0);
        }
        return TRUE;
    }
    if (message != WM_COMMAND) {
        INT_PTR result = boardDialogProc(dialog, message, wParam, lParam);
        if (message == WM_INITDIALOG) {
            PostMessageA(dialog, NextMove, 0, 0);
        }
        return result;
    }
    // A confirm may end the game: the request to close the result waits in the queue and is
    // taken by the result's own modal loop, or by the board's afterwards (and then ignored).
    if (LOWORD(wParam) == IDC_FIRST_BUTTON) {
        PostMessageA(dialog, CloseResult, 0, 0);
    }
    commandDepth++;
    INT_PTR result = boardDialogProc(dialog, message, wParam, lParam);
    commandDepth--;
    return result;
}

void WholeGamePeakMemory(benchmark::State &state) {
    for (auto _ : state) {
        nrGamesEnded = 0;
        startUp(playOneGame);
    }
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = usage.ru_maxrss / 1024.0;
    state.counters["games_ended"] = nrGamesEnded;
}
BENCHMARK(WholeGamePeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
