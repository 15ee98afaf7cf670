// Inside the layer: the objects behind HWND and what the window manager, the dialog manager,
// the controls, the menu bar and the backends share about them. Every handle that comes from
// outside is looked up in the table of live windows first; an unknown one finds nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/gdi/gdi.h"
#include "platform/resources/resfile.h"
#include "platform/win32.h"

// The atoms of the system classes, as in Windows.
enum : ATOM {
    buttonClassAtom = 0x80,
    editClassAtom = 0x81,
    staticClassAtom = 0x82,
    menuClassAtom = 0x8000,
    dialogClassAtom = 0x8002
};

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr, smallIcon = nullptr;
    HBRUSH background = nullptr;
    uint16_t menuId = 0;
    bool system = false; // one of the layer's own classes, which stay registered
};

// What a window procedure keeps with each of its windows (as Win32 classes keep their window
// extra bytes): made on first use, freed with the window.
struct WindowExtra {
    virtual ~WindowExtra() = default;
};

struct Window {
    HWND handle = nullptr;
    const WindowClass *windowClass = nullptr;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    DWORD style = 0, exStyle = 0;
    std::string text; // Windows-1252
    int id = 0;
    HWND parent = nullptr;      // children only
    HWND owner = nullptr;       // top-level windows only
    std::vector<HWND> children; // z-order, top first (creation order)
    RECT rect{0, 0, 0, 0};      // top-level: outer rectangle on the screen; child: parent's client
    bool iconic = false;
    HFONT font = nullptr;
    bool destroying = false;

    RECT update{0, 0, 0, 0}; // invalid part of the client area, empty when valid
    bool erasePending = false;

    // Top-level windows: the pixels of menu bar and client area, and the menu bar's window (a
    // child in the non-client area, not among the children), which in menu mode takes all the
    // window's mouse and key input.
    Surface surface;
    bool surfaceDirty = false;
    HWND menuBar = nullptr;
    bool inMenuMode = false;

    HWND lastFocus = nullptr; // top-level windows: the window inside that last had the focus

    std::unique_ptr<WindowExtra> extra;

    bool isChild() const { return (style & WS_CHILD) != 0; }
};

// The window's extra data as its class procedure keeps it.
template <typename Extra> Extra &extraOf(Window *window) {
    if (!window->extra) {
        window->extra = std::make_unique<Extra>();
    }
    return static_cast<Extra &>(*window->extra);
}

// ---- The table (window.cpp) ----
Window *findWindow(HWND handle);
Window *topLevelOf(Window *window);
HWND topLevelOf(HWND handle);
bool isDescendant(HWND ancestor, HWND window); // window is ancestor or inside it
// Top-level windows in z-order, topmost first.
const std::vector<HWND> &topLevelOrder();
void raiseTopLevel(HWND window);
void destroyAllWindows();
// A class of the layer's own (the controls', the dialog's), registered when the program starts;
// forgetClasses forgets only the program's classes.
void registerSystemClass(const char *name, ATOM atom, WNDPROC proc);
void forgetClasses();
// Visible itself and every ancestor visible; a minimised top-level shows no client.
bool isShowing(const Window *window);
// Enabled itself and every ancestor enabled.
bool isEnabledTree(const Window *window);

// ---- Geometry (nonclient.cpp) ----
enum { screenWidth = 1024, screenHeight = 768 };
// Thickness of the frame, caption and menu bar around a top-level window's client area.
RECT nonClientInsets(DWORD style, DWORD exStyle, bool hasMenu);
int menuBarHeight(const Window *topLevel);
SIZE clientSize(const Window *window);
// Surface point of the client area's (0, 0), and the visible part of the client area on the
// surface (empty when the window is hidden or outside its ancestors).
POINT clientOriginOnSurface(const Window *window);
RECT visibleClientOnSurface(const Window *window);
// Screen point of the top-level surface's (0, 0).
POINT surfaceOriginOnScreen(const Window *topLevel);
void resizeSurface(Window *topLevel);
// The menu bar's window becomes the top-level window's: it lies above the client area, so that
// its client coordinates are the surface's, and the surface grows by the bar.
void attachMenuBar(Window *topLevel, HWND menuBar);
int mulDiv(int value, int numerator, int denominator);

// ---- Messages and input (message.cpp) ----
struct KeyModifiers {
    bool shift = false, control = false, alt = false;
};
// The modifier keys of the key event being handled.
KeyModifiers currentModifiers();
bool messagesPending();
struct Message {
    HWND window;
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
};
// Takes the next posted message, else the message that the next input event makes (for the
// window that takes it now), as PeekMessage does; false when there is none.
bool takeMessage(Message *out);
bool quitPending();
void clearMessages();
// The window the keyboard talks to: the topmost visible, enabled top-level window.
HWND activeTopLevel();
// A window that goes away (hidden or destroyed) gives up the capture, and the focus to the
// replacement, when it or a window inside it holds them.
void dropFocusAndCapture(HWND gone, HWND replacement);

// ---- Painting (paint.cpp) ----
void invalidateWindow(Window *window, const RECT *clientRect, bool erase);
// The area of a top-level surface was uncovered: the windows there become invalid and erase
// their background at once, parent first; the paint follows.
void exposeSurfaceRect(Window *topLevel, const RECT &surfaceRect);
void exposeWindow(Window *window);
// Sends WM_PAINT to every invalid, showing window, parent first; true when any was painted.
bool paintPendingWindows();
void presentDirtySurfaces();
void fillWithSysColor(HDC dc, const RECT &rect, int sysColor);
COLORREF sysColor(int index);
// A one-pixel frame: top and left lines in one colour, bottom and right in the other.
void drawEdge(HDC dc, const RECT &rect, COLORREF topLeft, COLORREF bottomRight);
// Repaints a window at once through its WM_PAINT (a control's new state); the pixels are
// presented with the next presentation (UpdateWindow, Sleep, or the modal loop going idle).
void redrawNow(HWND window);

// ---- Dialog manager (dialog.cpp) ----
LRESULT CALLBACK dialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool dialogEnded(HWND dialog);
HWND innermostModalDialog();

// ---- Controls ----
LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK staticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Menu bar (menu.cpp) ----
LRESULT CALLBACK menuBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Surface rectangles of a bar item, and of an entry where the item's drop-down shows.
bool menuBarItemRect(HWND topLevel, int barIndex, RECT *out);
bool menuEntryRect(HWND topLevel, int barIndex, int entryIndex, RECT *out);

// ---- The failure the backend gave for the last window it could not make ----
const std::string &lastWindowFailure();
void clearWindowFailure();
