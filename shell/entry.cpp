#include <stdio.h>

#include "board/painting.h"
#include "game/board.h"
#include "resources/resource.h"
#include "shell/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    appInstance = instance;
    LoadStringA(instance, IDS_APP_TITLE, windowTitle, frameTextCapacity);
    LoadStringA(instance, IDS_WINDOW_CLASS, windowClassName, frameTextCapacity);
    registerFrameClass(instance);
    loadBitmaps();
    resetBoard();
    if (!openFrameAndBoard(instance)) {
        // Without its frame window the game cannot open; say so instead of ending quietly.
        fprintf(stderr, "quillmere: cannot create the main window\n");
        freeBitmaps();
        return 1;
    }
    freeBitmaps();
    return 0;
}
