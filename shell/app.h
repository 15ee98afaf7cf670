// Start-up: the program's instance handle, the frame window that owns the board dialog, and the
// entry routine.
#pragma once

#include <stdint.h>

#include "platform/win32.h"

enum { frameTextCapacity = 100 };

// The instance handle from which every resource is loaded; zero until the entry routine runs.
extern HINSTANCE appInstance;
extern char windowTitle[frameTextCapacity];
extern char windowClassName[frameTextCapacity];
// The frame window once created (null before, or when it could not be created).
extern HWND frameWindow;

void registerFrameClass(HINSTANCE instance);
// Creates the minimised frame window and runs the board dialog on it until the game ends.
// Returns 0 at once when the frame window cannot be created, 1 otherwise.
int32_t openFrameAndBoard(HINSTANCE instance);
LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The entry routine. Returns 0, or 1 when the frame window could not be created.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);
