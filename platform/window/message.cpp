// Messages: direct delivery, the posted-message and input queues that the modal loops drain,
// focus and mouse capture.
#include <deque>

#include "platform/gdi/rect.h"
#include "platform/window/message.h"
#include "platform/window/nonclient.h"
#include "platform/window/touch.h"
#include "platform/window/winevent.h"

namespace {

struct QueuedInput {
    InputEvent event;
    HWND aim = nullptr;     // mouse: the window under the pointer when the event was made
    bool onMenuBar = false; // mouse: the event was made over the menu bar
};

std::deque<Message> posted;
std::deque<QueuedInput> inputs;
bool quit = false;
HWND focus = nullptr;
HWND capture = nullptr;
KeyModifiers modifiers{};
int touchRadius = 0;    // of the input that made the message taken last
POINT touchShift{0, 0}; // how far touch aiming moved the finger that is down

// The deepest showing window at a surface point, the top-level window itself if no child.
Window *hitTest(Window *window, int x, int y) {
    for (HWND child : window->children) {
        Window *c = findWindow(child);
        if (c && isShowing(c) && rectContains(visibleClientOnSurface(c), x, y)) {
            return hitTest(c, x, y);
        }
    }
    return window;
}

bool isMouse(InputEvent::Kind kind) {
    return kind == InputEvent::MouseMove || kind == InputEvent::MouseDown ||
           kind == InputEvent::MouseUp;
}

UINT mouseMessage(InputEvent::Kind kind, bool nonClient) {
    if (kind == InputEvent::MouseDown) {
        return nonClient ? WM_NCLBUTTONDOWN : WM_LBUTTONDOWN;
    }
    if (kind == InputEvent::MouseUp) {
        return nonClient ? WM_NCLBUTTONUP : WM_LBUTTONUP;
    }
    return nonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE;
}

// The window that takes a top-level window's input ahead of the focus and the capture: its menu
// bar in menu mode.
HWND menuModeWindow(const Window *top) {
    return top->inMenuMode && findWindow(top->menuBar) ? top->menuBar : nullptr;
}

// A mouse event goes to the open menu, else on the menu bar to the top-level window as a
// non-client message (screen coordinates), else to the capture or the window under the pointer.
bool mouseMessageFor(const QueuedInput &item, Message *out) {
    Window *top = findWindow(item.event.topLevel);
    if (!top || top->isChild() || !isEnabledTree(top)) {
        return false;
    }
    InputEvent::Kind kind = item.event.kind;
    HWND menu = menuModeWindow(top);
    if (item.onMenuBar && !menu) {
        POINT origin = surfaceOriginOnScreen(top);
        *out = {top->handle, mouseMessage(kind, true), HTMENU,
                MAKELPARAM(origin.x + item.event.x, origin.y + item.event.y)};
        return true;
    }
    HWND target = menu ? menu : item.aim;
    if (!menu && capture && topLevelOf(capture) == top->handle) {
        target = capture;
    }
    Window *window = findWindow(target);
    if (!window) {
        return false;
    }
    POINT origin = clientOriginOnSurface(window);
    int x = item.event.x - origin.x, y = item.event.y - origin.y;
    WPARAM buttons = kind == InputEvent::MouseDown ? MK_LBUTTON : 0;
    *out = {target, mouseMessage(kind, false), buttons, MAKELPARAM(x, y)};
    return true;
}

// A key goes to the open menu, else to the focus, else to the top-level window. Alt, and the
// keys that open the menu bar, make system keys.
bool keyMessageFor(const InputEvent &event, Message *out) {
    Window *top = findWindow(event.topLevel);
    if (!top) {
        top = findWindow(activeTopLevel());
    }
    if (!top || top->isChild() || !isShowing(top) || !isEnabledTree(top)) {
        return false;
    }
    modifiers = {event.shift, event.control, event.alt};
    HWND target = menuModeWindow(top);
    if (!target) {
        target = isDescendant(top->handle, focus) ? focus : top->handle;
    }
    bool system = event.alt || event.key == VK_MENU || event.key == VK_F10;
    LPARAM context = (event.alt ? (1 << 29) : 0) | 1;
    if (event.kind == InputEvent::Character) {
        *out = {target, UINT(event.alt ? WM_SYSCHAR : WM_CHAR), event.character, context};
    } else if (event.kind == InputEvent::KeyDown) {
        *out = {target, UINT(system ? WM_SYSKEYDOWN : WM_KEYDOWN), WPARAM(event.key), context};
    } else {
        *out = {target, UINT(system ? WM_SYSKEYUP : WM_KEYUP), WPARAM(event.key), context};
    }
    return true;
}

// A control clicked or focused through assistive technology, as the mouse and the keyboard
// could: not in a window that a modal dialog disables. BM_CLICK clicks only a showing, enabled
// button; WM_NEXTDLGCTL focuses a control as the Tab key does.
bool accessMessageFor(const InputEvent &event, Message *out) {
    Window *control = findWindow(event.target);
    Window *top = topLevelOf(control);
    if (!control || !top || !isEnabledTree(top)) {
        return false;
    }
    if (event.kind == InputEvent::Activate) {
        *out = {control->handle, BM_CLICK, 0, 0};
        return true;
    }
    *out = {top->handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->handle), TRUE};
    return control != top && isShowing(control) && isEnabledTree(control);
}

bool messageFor(const QueuedInput &item, Message *out) {
    touchRadius = isMouse(item.event.kind) ? item.event.touchRadius : 0;
    if (isMouse(item.event.kind)) {
        return mouseMessageFor(item, out);
    }
    if (item.event.kind == InputEvent::Activate || item.event.kind == InputEvent::Focus) {
        return accessMessageFor(item.event, out);
    }
    if (item.event.kind == InputEvent::CloseRequest) {
        Window *top = findWindow(item.event.topLevel);
        *out = {item.event.topLevel, WM_CLOSE, 0, 0};
        return top && !top->isChild() && isEnabledTree(top);
    }
    return keyMessageFor(item.event, out);
}

} // namespace

KeyModifiers currentModifiers() {
    return modifiers;
}

int messageTouchRadius() {
    return touchRadius;
}

void queueInput(const InputEvent &event) {
    QueuedInput item;
    item.event = event;
    if (isMouse(event.kind)) {
        Window *top = findWindow(event.topLevel);
        if (!top || top->isChild()) {
            return;
        }
        // A finger goes where touch aiming puts it when it comes down, and keeps that shift
        // until it is lifted; a mouse is taken exactly where it is.
        if (event.touchRadius > 0) {
            if (event.kind == InputEvent::MouseDown) {
                POINT aimed = aimTouch(top, {event.x, event.y}, event.touchRadius);
                touchShift = {aimed.x - event.x, aimed.y - event.y};
            }
            item.event.x += touchShift.x;
            item.event.y += touchShift.y;
            if (event.kind == InputEvent::MouseUp) {
                touchShift = {0, 0};
            }
        }
        if (item.event.y < menuBarHeight(top)) {
            item.onMenuBar = true;
        } else if (isShowing(top)) {
            Window *hit = hitTest(top, item.event.x, item.event.y);
            item.aim = isEnabledTree(hit) ? hit->handle : nullptr;
        }
    }
    inputs.push_back(item);
}

bool messagesPending() {
    return !posted.empty() || !inputs.empty();
}

bool takeMessage(Message *out) {
    while (!posted.empty()) {
        *out = posted.front();
        posted.pop_front();
        if (findWindow(out->window)) {
            return true;
        }
    }
    while (!inputs.empty()) {
        QueuedInput item = inputs.front();
        inputs.pop_front();
        if (messageFor(item, out)) {
            return true;
        }
    }
    return false;
}

bool quitPending() {
    return quit;
}

void clearMessages() {
    posted.clear();
    inputs.clear();
    quit = false;
    focus = nullptr;
    capture = nullptr;
    modifiers = {};
    touchRadius = 0;
    touchShift = {0, 0};
}

HWND activeTopLevel() {
    for (HWND handle : topLevelOrder()) {
        Window *window = findWindow(handle);
        if (window && isShowing(window) && isEnabledTree(window)) {
            return handle;
        }
    }
    return nullptr;
}

LRESULT WINAPI SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window *window = findWindow(handle);
    if (!window || !window->proc) {
        return 0;
    }
    return window->proc(handle, message, wParam, lParam);
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND handle, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    if (!proc) {
        return 0;
    }
    return proc(handle, message, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!findWindow(handle)) {
        return FALSE;
    }
    posted.push_back({handle, message, wParam, lParam});
    return TRUE;
}

void WINAPI PostQuitMessage(int) {
    quit = true;
}

HWND WINAPI GetFocus(void) {
    return findWindow(focus) ? focus : nullptr;
}

HWND WINAPI SetFocus(HWND handle) {
    if (handle && !findWindow(handle)) {
        return nullptr;
    }
    HWND old = GetFocus();
    if (old == handle) {
        return old;
    }
    focus = handle;
    if (old) {
        SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
        if (!handle) {
            NotifyWinEvent(EVENT_OBJECT_STATECHANGE, old, OBJID_CLIENT, CHILDID_SELF);
        }
    }
    if (handle && focus == handle) {
        Window *window = findWindow(handle);
        Window *top = topLevelOf(window);
        if (top && top != window) {
            top->lastFocus = handle;
        }
        SendMessageA(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
        if (GetFocus() == handle) {
            NotifyWinEvent(EVENT_OBJECT_FOCUS, handle, OBJID_CLIENT, CHILDID_SELF);
        }
    }
    return old;
}

HWND WINAPI GetCapture(void) {
    return findWindow(capture) ? capture : nullptr;
}

HWND WINAPI SetCapture(HWND handle) {
    HWND old = GetCapture();
    if (!findWindow(handle)) {
        return old;
    }
    capture = handle;
    if (old && old != handle) {
        SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
    }
    return old;
}

BOOL WINAPI ReleaseCapture(void) {
    HWND old = GetCapture();
    capture = nullptr;
    if (old) {
        SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

void dropFocusAndCapture(HWND gone, HWND replacement) {
    if (isDescendant(gone, GetCapture())) {
        ReleaseCapture();
    }
    if (isDescendant(gone, GetFocus())) {
        SetFocus(replacement);
    }
}
