#include "board/commands.h"
#include "resources/resource.h"
#include "shell/app.h"

HINSTANCE appInstance;
char windowTitle[frameTextCapacity];
char windowClassName[frameTextCapacity];
HWND frameWindow;

void registerFrameClass(HINSTANCE instance) {
    WNDCLASSEXA frameClass = {};
    frameClass.cbSize = sizeof frameClass;
    frameClass.style = CS_HREDRAW | CS_VREDRAW;
    frameClass.lpfnWndProc = frameWindowProc;
    frameClass.cbClsExtra = 0;
    frameClass.cbWndExtra = 0;
    frameClass.hInstance = instance;
    frameClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LARGE));
    frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frameClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    frameClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    frameClass.lpszClassName = windowClassName;
    frameClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
    RegisterClassExA(&frameClass);
}

int32_t openFrameAndBoard(HINSTANCE instance) {
    frameWindow =
        CreateWindowExA(0, windowClassName, windowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                        CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
    if (!frameWindow) {
        return 0;
    }
    ShowWindow(frameWindow, SW_MINIMIZE);
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_BOARD), frameWindow, boardDialogProc, 0);
    return 1;
}

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
