// A full repaint of the board dialog as the game paints it: InvalidateRgn and UpdateWindow on
// template 129 whose procedure stretches seventeen faces into the stick and lever buttons,
// then lets the dialog manager complete the paint.
#include <benchmark/benchmark.h>

#include "platform/headless/headless.h"
#include "platform/win32.h"
#include "tools/template-picture/faces.h"

namespace {

HBITMAP stickFace, leverFace;

INT_PTR CALLBACK boardProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_PAINT) {
        paintTemplateFaces(dialog, stickFace, leverFace);
    }
    return FALSE;
}

void boardRepaint(benchmark::State &state) {
    headlessReset();
    stickFace = LoadBitmapA(headlessInstance(), MAKEINTRESOURCEA(130));
    leverFace = LoadBitmapA(headlessInstance(), MAKEINTRESOURCEA(151));
    headlessSetIdleHook([&] {
        HWND dialog = headlessModalDialog();
        for (auto _ : state) {
            InvalidateRgn(dialog, nullptr, FALSE);
            UpdateWindow(dialog);
        }
        EndDialog(dialog, 0);
    });
    DialogBoxParamA(headlessInstance(), MAKEINTRESOURCEA(129), nullptr, boardProc, 0);
    DeleteObject(stickFace);
    DeleteObject(leverFace);
    headlessReset();
}
BENCHMARK(boardRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
