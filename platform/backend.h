// Inside the layer: what the window manager asks of a backend (the headless one for tests, the
// SDL one for the desktop), and what it offers to backends. Exactly one backend is linked in.
#pragma once

#include <stdint.h>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/win32.h"

// One piece of user input. Mouse positions are in pixels of the top-level window's surface
// (menu bar and client area; the desktop draws the caption and frame).
struct InputEvent {
    enum Kind { MouseMove, MouseDown, MouseUp, KeyDown, KeyUp, Character, CloseRequest } kind;
    HWND topLevel = nullptr; // the window the event was made in
    int x = 0, y = 0;        // mouse events
    int key = 0;             // key events: a VK_ code ('A'..'Z', '0'..'9' for those keys)
    bool shift = false, control = false, alt = false;
    unsigned char character = 0; // Character events: a Windows-1252 byte
    int touchRadius = 0; // mouse events made by a finger: its contact's radius in surface pixels
};

// ---- Offered by the window layer to the backend ----

// Registers the layer's own window classes (the controls' and the dialog's). The backend calls
// it when the program starts, before the first window is made.
void registerSystemClasses();

// Queues an input event for the modal loops. A mouse event is aimed now, at the window that
// is under the pointer at this moment, so later changes (a button hidden meanwhile) do not
// redirect it.
void queueInput(const InputEvent &event);

// The surface of a top-level window (menu bar and client area), and the screen point of its
// top left corner: the client area's origin, raised by the menu bar.
const Surface *topLevelSurface(HWND topLevel);
POINT surfaceOriginOnScreen(HWND topLevel);

// The pixels of an icon (0x00RRGGBB, top row first) and its transparency mask (1 where the
// desktop shows through), for the desktop's window icons. False for anything but an icon.
struct IconPixels {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> transparent;
};
bool iconPixels(HICON icon, IconPixels *out);

// The window was uncovered or its pixels were lost: it is repainted.
void exposeTopLevel(HWND topLevel);

// ---- Asked of the backend by the window layer ----

// A top-level window was created, or its title, visibility, minimised state, position or
// size changed. The backend reads what it needs through the public calls (GetWindowTextA,
// IsWindowVisible, IsIconic, GetWindowRect, GetParent) and topLevelSurface. Returns false when
// the window cannot exist on this backend (no display); *why then says why.
bool backendWindowChanged(HWND topLevel, std::string *why);
void backendWindowDestroyed(HWND topLevel);
// The large and small icons of a top-level window's class (may be null).
void backendWindowIcons(HWND topLevel, HICON large, HICON small);
// The surface of a top-level window has new pixels; they are on screen when this returns.
void backendPresent(HWND topLevel);
// Moves pending input into the layer's queue with queueInput. With wait set, blocks until at
// least one event has been queued (the modal loop has nothing else to do).
void backendPumpInput(bool wait);
// Blocks for the given milliseconds without delivering messages; input made meanwhile is
// queued with queueInput as it arrives.
void backendSleep(DWORD milliseconds);
// Milliseconds since 1970-01-01 (the clock that _ftime reads).
uint64_t backendNow();
// The part of the screen that windows are kept on (the screen less any task bar), in the
// layer's pixels, as a monitor's work area; it may change while the program runs.
RECT backendWorkArea();
void backendBeep(UINT type);
void backendSetClipboard(const std::string &utf8);
