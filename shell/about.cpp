#include "shell/about.h"

#include "board/painting.h"
#include "board/phases.h"
#include "resources/resource.h"
#include "shell/app.h"

const char aboutVersionText[] = "Quillmere 1.00.00";
const char aboutMakerText[] = "Ordanel Software";
const char aboutTownText[] = "Quillmere, Espa\xF1"
                             "a";
const char aboutEmailText[] = "info@ordanel.example";
const char aboutWebText[] = "http://www.ordanel.example/";

// The logo is loaded, drawn and released on every paint.
static void paintLogo(HWND dialog) {
    HBITMAP logo = LoadBitmapA(appInstance, MAKEINTRESOURCEA(IDB_LOGO));
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    if (dc) {
        RECT logoRect = {20, 20, 153, 120};
        drawBitmap(dc, logo, &logoRect, 1);
    }
    EndPaint(dialog, &paint);
    if (logo) {
        DeleteObject(logo);
    }
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        setControlText(dialog, IDC_ABOUT_VERSION, aboutVersionText);
        setControlText(dialog, IDC_ABOUT_MAKER, aboutMakerText);
        setControlText(dialog, IDC_ABOUT_TOWN, aboutTownText);
        setControlText(dialog, IDC_ABOUT_EMAIL, aboutEmailText);
        setControlText(dialog, IDC_ABOUT_WEB, aboutWebText);
        return 1;
    case WM_PAINT:
        paintLogo(dialog);
        return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return 1;
        }
        return 0;
    }
    return 0;
}
