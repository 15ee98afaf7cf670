// Draws the board template (dialog 129) through the window layer on the headless backend and
// saves its picture: menu bar, labels, the lever and the sixteen stick buttons with their
// faces. Usage: quillmere_template_picture [out.png]
#include <stdio.h>

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

INT_PTR CALLBACK pictureProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(GetDlgItem(dialog, 1022), "\xbfQu\xed"
                                                 "en comienza?");
        SetWindowTextA(GetDlgItem(dialog, 1018), "Ordanel Software");
        SetWindowTextA(GetDlgItem(dialog, 1019), "Tu");
        EnableWindow(GetDlgItem(dialog, 1025), FALSE);
        return TRUE;
    case WM_PAINT:
        for (int id : stickIds) {
            paintFace(dialog, id, stickFace);
        }
        paintFace(dialog, 1024, leverFace);
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

int main(int argc, char **argv) {
    const char *path = argc > 1 ? argv[1] : "template-129.png";
    headlessReset();
    stickFace = LoadBitmapA(headlessInstance(), MAKEINTRESOURCEA(130));
    leverFace = LoadBitmapA(headlessInstance(), MAKEINTRESOURCEA(151));
    bool saved = false;
    headlessSetIdleHook([&] {
        HWND dialog = headlessModalDialog();
        saved = headlessSavePng(dialog, path);
        EndDialog(dialog, 0);
    });
    INT_PTR result =
        DialogBoxParamA(headlessInstance(), MAKEINTRESOURCEA(129), nullptr, pictureProc, 0);
    DeleteObject(stickFace);
    DeleteObject(leverFace);
    if (result == -1 || !saved) {
        fprintf(stderr, "quillmere_template_picture: could not draw template 129\n");
        return 1;
    }
    printf("%s\n", path);
    return 0;
}
