// The message queue: posted messages and input events, which the modal loops take as messages,
// and the focus and the mouse capture that input follows.
#pragma once

#include "platform/win32.h"

struct Message {
    HWND window;
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
};

struct KeyModifiers {
    bool shift = false, control = false, alt = false;
};

// Takes the next posted message, else the message that the next input event makes (for the
// window that takes it now), as PeekMessage does; false when there is none.
bool takeMessage(Message *out);
bool messagesPending();
// The modifier keys of the key event taken last.
KeyModifiers currentModifiers();
// The contact radius of the finger that made the mouse message taken last, 0 when a mouse made
// it (Windows tells the two apart by GetMessageExtraInfo).
int messageTouchRadius();
bool quitPending();
void clearMessages();
// The window the keyboard talks to: the topmost visible, enabled top-level window.
HWND activeTopLevel();
// A window that goes away (hidden or destroyed) gives up the capture, and the focus to the
// replacement, when it or a window inside it holds them.
void dropFocusAndCapture(HWND gone, HWND replacement);
