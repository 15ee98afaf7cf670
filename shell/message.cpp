#include "shell/message.h"

#include <string.h>

#include "resources/resource.h"
#include "shell/app.h"

PendingMessage pendingMessage;

void showMessageDialog(HWND owner, const char *text, const char *title, int32_t width,
                       int32_t height, int32_t styleCode) {
    copyBounded(pendingMessage.text, messageTextCapacity, text);
    copyBounded(pendingMessage.title, messageTitleCapacity, title);
    pendingMessage.width = width;
    pendingMessage.height = height;
    pendingMessage.styleCode = styleCode;
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_MESSAGE), owner, messageDialogProc, 0);
}

static void paintMessage(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    if (!dc) {
        EndPaint(dialog, &paint);
        return;
    }
    RECT textRect = {50, 50, pendingMessage.width - 50, pendingMessage.height - 50};
    if (decimalDigits(pendingMessage.styleCode, 4, 4) == 1) {
        SetTextColor(dc, messagePink);
    }
    SetBkMode(dc, TRANSPARENT);
    LOGFONTA description;
    fontForStyle(pendingMessage.styleCode, &description);
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    DrawTextA(dc, pendingMessage.text, (int)strlen(pendingMessage.text), &textRect, 0);
    // The font leaves the device context before it is deleted.
    if (previous) {
        SelectObject(dc, previous);
    }
    EndPaint(dialog, &paint);
    if (font) {
        DeleteObject(font);
    }
}

INT_PTR CALLBACK messageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowPos(dialog, HWND_TOP, 100, 100, pendingMessage.width, pendingMessage.height,
                     SWP_NOREDRAW);
        SetWindowTextA(dialog, pendingMessage.title);
        return 1;
    case WM_PAINT:
        paintMessage(dialog);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return 1;
        }
        return 0;
    }
    return 0;
}
