// The control classes: the procedures of the Button, Static and Edit classes and of the menu
// bar's window, which the layer registers as system classes.
#pragma once

#include <string>

#include "platform/win32.h"

LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK staticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK menuBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the menu bar's window tells about one of its items, as a screen reader's menu proxy asks:
// SendMessageA(menuBar, MN_GETITEMVIEW, MAKEWPARAM(bar, entry + 1), (LPARAM)&view), entry -1
// for the bar item itself; FALSE when there is no such item. An entry shows only while its
// drop-down is open. The menu's WinEvents name an item as a child of the menu bar's window.
enum : UINT { MN_GETITEMVIEW = WM_USER + 1 };
constexpr LONG menuItemChild(int bar, int entry) {
    return (bar + 1) * 256 + entry + 1;
}
struct MenuItemView {
    std::string text;         // Windows-1252, with the '&' marks
    bool popup = false;       // a bar item with a drop-down
    bool enabled = false;     // not greyed
    bool open = false;        // a bar item whose drop-down shows
    bool highlighted = false; // where the menu's keyboard and mouse are
    bool showing = false;
    RECT surface{0, 0, 0, 0}; // on the top-level window's surface
};

// Surface rectangles of a top-level window's menu bar item, and of an entry where the item's
// drop-down shows.
bool menuBarItemRect(HWND topLevel, int barIndex, RECT *out);
bool menuEntryRect(HWND topLevel, int barIndex, int entryIndex, RECT *out);
