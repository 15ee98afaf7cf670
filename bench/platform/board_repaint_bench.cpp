// A full repaint of the board dialog as the game paints it: InvalidateRgn and UpdateWindow on
// template 129 whose procedure stretches seventeen faces into the stick and lever buttons,
// then lets the dialog manager complete the paint.
#include <benchmark/benchmark.h>

#include "platform/headless.h"
#include "platform/win32.h"

namespace {

const int stickIds[] = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007,
                        1008, 1010, 1011, 1012, 1013, 1014, 1015, 1016};
HBITMAP stickFace, leverFace;

void paintFace(HWND dialog, int id, HBITMAP bitmap) {
    HWND button = GetDlgItem(dialog, id);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(button, &paint);
    RECT r;
    GetClientRect(button, &r);
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    StretchBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    EndPaint(button, &paint);
}

INT_PTR CALLBACK boardProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_PAINT) {
        for (int id : stickIds) {
            paintFace(dialog, id, stickFace);
        }
        paintFace(dialog, 1024, leverFace);
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
