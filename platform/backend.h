// Inside the layer: what the window manager asks of a backend (the headless one for tests, the
// SDL one for the desktop), and what it offers to backends. Exactly one backend is linked in.
#pragma once

#include <stdint.h>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/win32.h"

// One piece of user input. Mouse positions are in pixels of the top-level window's surface
// (menu bar and client area; the desktop draws the caption and frame). Activate and Focus come
// from assistive technology: a control clicked or focused through it.
struct InputEvent {
    enum Kind {
        MouseMove,
        MouseDown,
        MouseUp,
        KeyDown,
        KeyUp,
        Character,
        CloseRequest,
        Activate,
        Focus
    } kind;
    HWND topLevel = nullptr; // the window the event was made in
    HWND target = nullptr;   // Activate and Focus: the window they aim at
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

// ---- Offered by the accessibility part (access/) to the backend ----

// What assistive technology reads: every window of the tree (the menu bar's among them), the
// items of a menu bar, and the text a dialog paints itself. A node is a window and a part of it
// (item 0 the window itself); the backends keep nodes as they are given.
struct AccessKey {
    HWND window = nullptr;
    int item = 0;
    bool operator==(const AccessKey &other) const {
        return window == other.window && item == other.item;
    }
    bool operator<(const AccessKey &other) const {
        return window != other.window ? window < other.window : item < other.item;
    }
};

enum class AccessRole { Frame, Dialog, Button, Label, Text, MenuBar, Menu, MenuItem };
enum AccessState : uint32_t {
    AccessEnabled = 1 << 0,
    AccessFocusable = 1 << 1,
    AccessFocused = 1 << 2,
    AccessPressed = 1 << 3,
    AccessShowing = 1 << 4, // visible itself and every ancestor visible
    AccessDefault = 1 << 5, // the default push button
    AccessModal = 1 << 6,   // the top-level window the keyboard talks to, whose owners wait
    AccessExpanded = 1 << 7,
    AccessIconic = 1 << 8,
    AccessReadOnly = 1 << 9,
};
struct AccessNode {
    AccessKey key, parent; // a top-level window's parent is the empty key
    AccessRole role = AccessRole::Frame;
    std::string name;      // UTF-8, without the '&' marks
    AccessKey labelledBy;  // a button without text of its own is named by the label after it
    AccessKey describedBy; // a dialog that paints a text is described by it
    uint32_t states = 0;   // AccessState bits
    RECT screen{0, 0, 0, 0};
};

// Starts following the window tree: from now on backendAccessEvent tells every change.
void accessStart();
// The top-level windows, bottom first, and the children of a node in z-order.
std::vector<AccessKey> accessTopLevels();
std::vector<AccessKey> accessChildren(AccessKey node);
// False for a node that no longer exists.
bool accessDescribe(AccessKey node, AccessNode *out);
// Clicks or focuses a node as the user would: queued with the input.
void accessActivate(AccessKey node);
void accessFocus(AccessKey node);

// ---- Asked of the backend by the accessibility part ----

// Something changed about a node; the backend reads what it needs with accessDescribe.
// Created: the node appeared with what is inside it (a window made, a drop-down's entries).
// Destroyed: it is gone with what is inside it. Shown, Hidden: its visibility changed (and
// with it what is inside). NameChanged, StateChanged: the node's own. Focused: the node has the
// focus now, and the one that had it before has not.
enum class AccessEvent { Created, Destroyed, Shown, Hidden, NameChanged, StateChanged, Focused };
void backendAccessEvent(AccessEvent event, AccessKey node);
