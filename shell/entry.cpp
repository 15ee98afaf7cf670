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
        // Without its frame window the game cannot open: a failure status, not a quiet end.
        // The reason is the platform's to tell (the portable layer prints it on stderr).
        freeBitmaps();
        return 1;
    }
    freeBitmaps();
    return 0;
}
