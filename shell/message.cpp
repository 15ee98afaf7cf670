#include "shell/message.h"

#include <string.h>

#include "resources/resource.h"
#include "shell/app.h"

PendingMessage pendingMessage;

int32_t decimalDigits(int32_t number, int32_t first, int32_t last) {
    if (last < 0) {
        return 0;
    }
    // Worked in 64 bits so that the place value of a far digit cannot overflow.
    int64_t rest = number;
    int64_t place = 1;
    int64_t sum = 0;
    for (int32_t position = 0; position <= last && rest != 0; position++) {
        int64_t digit = rest % 10;
        if (position >= first) {
            sum += digit * place;
            place *= 10;
        }
        rest /= 10;
    }
    return (int32_t)sum;
}

void copyBounded(char *destination, int32_t capacity, const char *source) {
    if (capacity <= 0) {
        return;
    }
    int32_t i = 0;
    for (; i < capacity - 1; i++) {
        destination[i] = source[i];
        if (source[i] == 0) {
            return;
        }
    }
    destination[i] = 0;
}

void showMessageDialog(HWND owner, const char *text, const char *title, int32_t width,
                       int32_t height, int32_t styleCode) {
    copyBounded(pendingMessage.text, messageTextCapacity, text);
    copyBounded(pendingMessage.title, messageTitleCapacity, title);
    pendingMessage.width = width;
    pendingMessage.height = height;
    pendingMessage.styleCode = styleCode;
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_MESSAGE), owner, messageDialogProc, 0);
}

void fontForStyle(int32_t styleCode, LOGFONTA *font) {
    memset(font, 0, sizeof *font);
    copyBounded(font->lfFaceName, LF_FACESIZE, "Times New Roman");
    font->lfHeight = decimalDigits(styleCode, 0, 1);
    font->lfWeight = decimalDigits(styleCode, 2, 2) * 100;
    if (font->lfWeight < 200) {
        font->lfWeight = 200;
    }
    font->lfItalic = (BYTE)decimalDigits(styleCode, 3, 3);
    font->lfUnderline = 0;
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
