// The control classes: the procedures of the Button, Static and Edit classes and of the menu
// bar's window, which the layer registers as system classes.
#pragma once

#include "platform/win32.h"

LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK staticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK menuBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Surface rectangles of a top-level window's menu bar item, and of an entry where the item's
// drop-down shows.
bool menuBarItemRect(HWND topLevel, int barIndex, RECT *out);
bool menuEntryRect(HWND topLevel, int barIndex, int entryIndex, RECT *out);
