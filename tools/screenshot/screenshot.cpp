// Saves a picture of the board dialog as it opens, drawn by the real game on the headless
// backend: quillmere-screenshot OUTPUT.png
#include <stdio.h>

#include "board/commands.h"
#include "board/painting.h"
#include "game/board.h"
#include "platform/headless/headless.h"
#include "resources/resource.h"
#include "shell/app.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    const char *path = argv[1];
    bool saved = false;
    headlessSetIdleHook([&]() {
        HWND board = headlessModalDialog();
        saved = headlessSavePng(board, path);
        EndDialog(board, IDCANCEL);
        PostMessageA(board, WM_NULL, 0, 0);
    });
    WinMain(headlessInstance(), nullptr, (LPSTR) "", SW_SHOWDEFAULT);
    if (!saved) {
        fprintf(stderr, "%s: could not write %s\n", argv[0], path);
        return 1;
    }
    return 0;
}
