// The desktop backend under Xvfb: how long presenting a repainted board takes, and how close a
// removal sequence (repaints with their sleeps) comes to its nominal length.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <stdio.h>
#include <stdlib.h>

#include "board/animation.h"
#include "game/board.h"
#include "platform/backend.h"
#include "platform/win32.h"
#include "tests/support/display.h"
#include "tools/template-picture/faces.h"

namespace {

const HINSTANCE instance = reinterpret_cast<HINSTANCE>(uintptr_t(0x400000));
const int nrSelected = 5; // the first sticks of the list show the current frame

HWND board = nullptr;
HBITMAP present = nullptr, lever = nullptr;
HBITMAP face = nullptr; // what the selected sticks show
HBITMAP frames[160];

HBITMAP bitmap(int id) {
    if (!frames[id])
        frames[id] = LoadBitmapA(instance, MAKEINTRESOURCEA(id));
    return frames[id];
}

void refresh(HWND dialog) {
    InvalidateRgn(dialog, nullptr, FALSE);
    UpdateWindow(dialog);
}

// From the end of a repaint to the pixels on the X server.
void presentRepaintedBoard(benchmark::State &state) {
    int frame = 0;
    for (auto _ : state) {
        state.PauseTiming();
        face = bitmap((frame++ & 1) ? 134 : 131);
        refresh(board);
        state.ResumeTiming();
        backendPresent(board);
    }
}
BENCHMARK(presentRepaintedBoard)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(100)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The whole synchronous repaint: seventeen faces, the dialog's own controls, and presenting.
void refreshWholeBoard(benchmark::State &state) {
    int frame = 0;
    for (auto _ : state) {
        face = bitmap((frame++ & 1) ? 134 : 131);
        refresh(board);
    }
}
BENCHMARK(refreshWholeBoard)->Unit(benchmark::kMillisecond)->Iterations(100);

// One removal sequence as the animation plays it; wall time against the sum of its delays.
void removalSequence(benchmark::State &state) {
    const AnimationSequence &sequence = animationSequences[state.range(0)];
    int nominal = 0;
    for (int play = 0; play < sequence.nrRepeats; ++play)
        for (int i = 0; i < sequence.nrFrames; ++i)
            nominal += sequence.frames[i].delay;
    double worst = 0.0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        for (int play = 0; play < sequence.nrRepeats; ++play) {
            for (int i = 0; i < sequence.nrFrames; ++i) {
                face = bitmap(sequence.frames[i].bitmapId);
                refresh(board);
                Sleep(sequence.frames[i].delay);
            }
        }
        double took =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        worst = std::max(worst, took);
    }
    face = bitmap(131);
    state.counters["nominal_ms"] = nominal;
    state.counters["worst_over_pct"] = (worst - nominal) * 100.0 / nominal;
}
BENCHMARK(removalSequence)
    ->DenseRange(0, nrAnimationSequences - 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

INT_PTR CALLBACK boardProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        board = dialog;
        PostMessageA(dialog, WM_USER + 1, 0, 0);
        return TRUE;
    case WM_PAINT:
        for (int i = 0; i < nrSticks; ++i)
            paintFace(dialog, stickControls[i], i < nrSelected ? face : present);
        paintFace(dialog, 1024, lever);
        return FALSE;
    case WM_USER + 1:
        // The dialog is on screen now: measure, then leave.
        benchmark::RunSpecifiedBenchmarks();
        EndDialog(dialog, IDOK);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    PrivateDisplay display(1024, 768);
    unsetenv("WAYLAND_DISPLAY");
    setenv("SDL_VIDEODRIVER", "x11", 1);
    if (!display.started()) {
        fprintf(stderr, "sdl benchmarks skipped: no X server: %s\n", display.problem().c_str());
        return 0;
    }
    present = bitmap(130);
    lever = bitmap(151);
    face = bitmap(131);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(129), nullptr, boardProc, 0);
    benchmark::Shutdown();
    SDL_Quit(); // before the X server goes
    return 0;
}
