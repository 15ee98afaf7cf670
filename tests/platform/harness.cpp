#include "tests/platform/harness.h"

#include <stdlib.h>

namespace {
DialogHandler handler;
} // namespace

std::vector<int> commands;

void setDialogHandler(DialogHandler next) {
    handler = std::move(next);
}

INT_PTR CALLBACK testDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        commands.push_back(LOWORD(wParam));
    }
    if (handler) {
        INT_PTR result = handler(dialog, message, wParam, lParam);
        if (result) {
            return result;
        }
    }
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR runDialog(int templateId, HWND owner) {
    return DialogBoxParamA(headlessInstance(), MAKEINTRESOURCEA(templateId), owner, testDialogProc,
                           0);
}

INT_PTR runSteps(int templateId, const std::vector<Step> &steps) {
    INT_PTR result = 0;
    StepRun().run(steps, [&] { result = runDialog(templateId); });
    return result;
}

RECT childRect(HWND child) {
    RECT r{0, 0, 0, 0};
    GetWindowRect(child, &r);
    POINT topLeft{r.left, r.top}, bottomRight{r.right, r.bottom};
    ScreenToClient(GetParent(child), &topLeft);
    ScreenToClient(GetParent(child), &bottomRight);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

SIZE baseUnitsOf(const char *face, int pointSize) {
    HFONT font = createPointFont(face, pointSize, FW_NORMAL, false);
    SIZE base = dialogBaseUnits(font);
    DeleteObject(font);
    return base;
}

int countPixels(HWND window, uint32_t pixel) {
    Surface picture;
    if (!headlessPicture(window, &picture)) {
        return 0;
    }
    int count = 0;
    for (uint32_t p : picture.pixels) {
        count += p == pixel;
    }
    return count;
}
