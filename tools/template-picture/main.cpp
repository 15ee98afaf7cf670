// Draws the board template (dialog 129) through the window layer on the headless backend and
// saves its picture: menu bar, labels, the lever and the sixteen stick buttons with their
// faces. Usage: quillmere_template_picture [out.png]
#include <stdio.h>

#include "platform/headless/headless.h"
#include "platform/win32.h"
#include "tools/template-picture/faces.h"

namespace {

HBITMAP stickFace, leverFace;

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
        paintTemplateFaces(dialog, stickFace, leverFace);
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
