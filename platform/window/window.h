// The bottom of the window manager: the objects behind HWND, their classes and the table of
// live windows. Every handle that comes from outside is looked up in the table first; an
// unknown one finds nothing. The parts above (DefWindowProcA, the controls, the dialog manager)
// keep their own state with a window through WindowExtra.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/gdi/gdi.h"
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
    WNDPROC proc = nullptr;
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
// A top-level window's title, visibility, minimised state, place or size changed: the backend
// hears of it (a child's changes are nothing to the backend).
void notifyBackend(Window *window);
// Visible itself and every ancestor visible; a minimised top-level shows no client.
bool isShowing(const Window *window);
// Enabled itself and every ancestor enabled.
bool isEnabledTree(const Window *window);

// The failure the backend gave for the last window it could not make.
const std::string &lastWindowFailure();
void clearWindowFailure();
