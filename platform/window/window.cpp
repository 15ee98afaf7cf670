// Window objects: the table of live windows, classes, creation and destruction, text,
// visibility, enabling, parent and owner.
#include "platform/window/window.h"
#include "platform/window/message.h"
#include "platform/window/nonclient.h"
#include "platform/window/winevent.h"

#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <algorithm>
#include <map>

namespace {

std::map<uintptr_t, std::unique_ptr<Window>> windows;
std::vector<HWND> topLevels; // topmost first
uintptr_t nextHandle = 0x10010;

ATOM nextAtom = 0xC000;
std::string failure;

// Made on first use: the system classes are registered while the program's objects are being
// initialised.
std::vector<std::unique_ptr<WindowClass>> &classTable() {
    static std::vector<std::unique_ptr<WindowClass>> classes;
    return classes;
}

const WindowClass *findClass(LPCSTR name) {
    if (!name) {
        return nullptr;
    }
    for (auto &windowClass : classTable()) {
        if (IS_INTRESOURCE(name) ? windowClass->atom == LOWORD(name)
                                 : strcasecmp(windowClass->name.c_str(), name) == 0) {
            return windowClass.get();
        }
    }
    return nullptr;
}

} // namespace

Window *findWindow(HWND handle) {
    if (!handle) {
        return nullptr;
    }
    auto found = windows.find(reinterpret_cast<uintptr_t>(handle));
    return found == windows.end() ? nullptr : found->second.get();
}

Window *topLevelOf(Window *window) {
    while (window && window->isChild()) {
        window = findWindow(window->parent);
    }
    return window;
}

HWND topLevelOf(HWND handle) {
    Window *top = topLevelOf(findWindow(handle));
    return top ? top->handle : nullptr;
}

bool isDescendant(HWND ancestor, HWND window) {
    for (Window *w = findWindow(window); w; w = w->isChild() ? findWindow(w->parent) : nullptr) {
        if (w->handle == ancestor) {
            return true;
        }
    }
    return false;
}

const std::vector<HWND> &topLevelOrder() {
    return topLevels;
}

void raiseTopLevel(HWND window) {
    auto found = std::find(topLevels.begin(), topLevels.end(), window);
    if (found != topLevels.end()) {
        topLevels.erase(found);
        topLevels.insert(topLevels.begin(), window);
    }
}

bool isShowing(const Window *window) {
    for (const Window *w = window; w; w = w->isChild() ? findWindow(w->parent) : nullptr) {
        if (!(w->style & WS_VISIBLE) || (!w->isChild() && w->iconic)) {
            return false;
        }
        if (w->isChild() && !findWindow(w->parent)) {
            return false;
        }
    }
    return window != nullptr;
}

bool isEnabledTree(const Window *window) {
    for (const Window *w = window; w; w = w->isChild() ? findWindow(w->parent) : nullptr) {
        if (w->style & WS_DISABLED) {
            return false;
        }
    }
    return window != nullptr;
}

void registerSystemClass(const char *name, ATOM atom, WNDPROC proc) {
    auto windowClass = std::make_unique<WindowClass>();
    windowClass->name = name;
    windowClass->atom = atom;
    windowClass->proc = proc;
    windowClass->system = true;
    classTable().push_back(std::move(windowClass));
}

void forgetClasses() {
    auto &classes = classTable();
    classes.erase(std::remove_if(classes.begin(), classes.end(),
                                 [](const auto &windowClass) { return !windowClass->system; }),
                  classes.end());
    nextAtom = 0xC000;
}

void destroyAllWindows() {
    while (!topLevels.empty()) {
        HWND window = topLevels.back();
        if (!DestroyWindow(window)) {
            topLevels.pop_back();
        }
    }
    windows.clear();
}

void notifyBackend(Window *window) {
    if (window && !window->isChild()) {
        std::string why;
        backendWindowChanged(window->handle, &why);
    }
}

const std::string &lastWindowFailure() {
    return failure;
}
void clearWindowFailure() {
    failure.clear();
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA *windowClass) {
    if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXA) || !windowClass->lpfnWndProc ||
        !windowClass->lpszClassName || IS_INTRESOURCE(windowClass->lpszClassName) ||
        !windowClass->lpszClassName[0] || findClass(windowClass->lpszClassName)) {
        return 0;
    }
    auto entry = std::make_unique<WindowClass>();
    entry->name = windowClass->lpszClassName;
    entry->atom = nextAtom++;
    entry->proc = windowClass->lpfnWndProc;
    entry->icon = windowClass->hIcon;
    entry->smallIcon = windowClass->hIconSm;
    entry->background = windowClass->hbrBackground;
    if (windowClass->lpszMenuName && IS_INTRESOURCE(windowClass->lpszMenuName)) {
        entry->menuId = LOWORD(windowClass->lpszMenuName);
    }
    classTable().push_back(std::move(entry));
    return classTable().back()->atom;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    const WindowClass *windowClass = findClass(className);
    Window *parentWindow = findWindow(parent);
    bool child = (style & WS_CHILD) != 0;
    if (!windowClass || (parent && !parentWindow) || (child && !parentWindow)) {
        return nullptr;
    }
    auto object = std::make_unique<Window>();
    Window *window = object.get();
    window->handle = reinterpret_cast<HWND>(nextHandle);
    nextHandle += 0x10;
    window->windowClass = windowClass;
    window->proc = windowClass->proc;
    window->instance = instance;
    window->style = style & ~WS_VISIBLE;
    window->exStyle = exStyle;
    window->text = windowName && !IS_INTRESOURCE(windowName) ? windowName : "";
    if (child) {
        window->parent = parent;
        window->id = static_cast<int>(reinterpret_cast<uintptr_t>(menu));
        window->rect = {x, y, x + width, y + height};
    } else {
        window->owner = parentWindow ? topLevelOf(parent) : nullptr;
        if (x == CW_USEDEFAULT) {
            x = y = 26;
        }
        if (width == CW_USEDEFAULT) {
            RECT work = backendWorkArea();
            width = (work.right - work.left) * 3 / 4;
            height = (work.bottom - work.top) * 3 / 4;
        }
        window->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    }
    HWND handle = window->handle;
    windows[reinterpret_cast<uintptr_t>(handle)] = std::move(object);
    if (child) {
        parentWindow->children.push_back(handle);
    } else {
        topLevels.insert(topLevels.begin(), handle);
        resizeSurface(window);
        std::string why;
        if (!backendWindowChanged(handle, &why)) {
            failure = why.empty() ? "the window could not be made" : why;
            fprintf(stderr, "quillmere: cannot create the window \"%s\": %s\n",
                    window->text.c_str(), failure.c_str());
            topLevels.erase(std::find(topLevels.begin(), topLevels.end(), handle));
            windows.erase(reinterpret_cast<uintptr_t>(handle));
            return nullptr;
        }
        backendWindowIcons(handle, windowClass->icon, windowClass->smallIcon);
    }
    // WM_NCCREATE and WM_CREATE get the creation's arguments; a top-level window's menu argument
    // is the number of the MENU resource it shows (DefWindowProcA makes its menu bar).
    const RECT &r = window->rect;
    CREATESTRUCTA create{
        param, instance, menu,        parent,     r.bottom - r.top, r.right - r.left,
        r.top, r.left,   LONG(style), windowName, className,        exStyle};
    if (!SendMessageA(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) ||
        SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    NotifyWinEvent(EVENT_OBJECT_CREATE, handle, OBJID_WINDOW, CHILDID_SELF);
    if ((style & WS_VISIBLE) && findWindow(handle)) {
        ShowWindow(handle, SW_SHOW);
    }
    return findWindow(handle) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND handle) {
    Window *window = findWindow(handle);
    if (!window || window->destroying) {
        return FALSE;
    }
    window->destroying = true;
    // Owned top-level windows go first, then the window itself, then its children.
    if (!window->isChild()) {
        std::vector<HWND> owned;
        for (HWND other : topLevels) {
            Window *w = findWindow(other);
            if (w && w->owner == handle) {
                owned.push_back(other);
            }
        }
        for (HWND other : owned) {
            DestroyWindow(other);
        }
    }
    Window *parent = window->isChild() ? findWindow(window->parent) : nullptr;
    if ((window->style & WS_VISIBLE) && !(parent && parent->destroying)) {
        ShowWindow(handle, SW_HIDE);
    }
    dropFocusAndCapture(handle, nullptr);
    NotifyWinEvent(EVENT_OBJECT_DESTROY, handle, OBJID_WINDOW, CHILDID_SELF);
    SendMessageA(handle, WM_DESTROY, 0, 0);
    window = findWindow(handle);
    if (!window) {
        return TRUE;
    }
    std::vector<HWND> children = window->children;
    children.push_back(window->menuBar);
    for (HWND child : children) {
        DestroyWindow(child);
    }
    SendMessageA(handle, WM_NCDESTROY, 0, 0);
    window = findWindow(handle);
    if (!window) {
        return TRUE;
    }
    if (window->isChild()) {
        if (Window *parent = findWindow(window->parent)) {
            auto &siblings = parent->children;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
            if (parent->menuBar == handle) {
                parent->menuBar = nullptr;
            }
        }
    } else {
        topLevels.erase(std::remove(topLevels.begin(), topLevels.end(), handle), topLevels.end());
        backendWindowDestroyed(handle);
    }
    windows.erase(reinterpret_cast<uintptr_t>(handle));
    return TRUE;
}

BOOL WINAPI IsWindow(HWND window) {
    return findWindow(window) != nullptr;
}

BOOL WINAPI IsWindowVisible(HWND handle) {
    Window *window = findWindow(handle);
    for (; window; window = window->isChild() ? findWindow(window->parent) : nullptr) {
        if (!(window->style & WS_VISIBLE)) {
            return FALSE;
        }
        if (!window->isChild()) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND handle) {
    Window *window = findWindow(handle);
    return window && !(window->style & WS_DISABLED);
}

BOOL WINAPI IsIconic(HWND handle) {
    Window *window = findWindow(handle);
    return window && window->iconic;
}

HWND WINAPI GetParent(HWND handle) {
    Window *window = findWindow(handle);
    if (!window) {
        return nullptr;
    }
    return window->isChild() ? window->parent : window->owner;
}

BOOL WINAPI SetWindowTextA(HWND handle, LPCSTR text) {
    if (!findWindow(handle)) {
        return FALSE;
    }
    return SendMessageA(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) != 0;
}

int WINAPI GetWindowTextA(HWND handle, LPSTR buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0) {
        return 0;
    }
    buffer[0] = 0;
    if (!findWindow(handle)) {
        return 0;
    }
    return static_cast<int>(
        SendMessageA(handle, WM_GETTEXT, bufferMax, reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthA(HWND handle) {
    Window *window = findWindow(handle);
    return window ? static_cast<int>(window->text.size()) : 0;
}

BOOL WINAPI EnableWindow(HWND handle, BOOL enable) {
    Window *window = findWindow(handle);
    if (!window) {
        return FALSE;
    }
    bool wasDisabled = (window->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) {
        return wasDisabled;
    }
    if (enable) {
        window->style &= ~WS_DISABLED;
    } else {
        window->style |= WS_DISABLED;
        if (GetCapture() == handle) {
            ReleaseCapture();
        }
        if (GetFocus() == handle) {
            SetFocus(nullptr); // a disabled window cannot keep the focus
        }
        SendMessageA(handle, WM_CANCELMODE, 0, 0); // an open menu closes
    }
    SendMessageA(handle, WM_ENABLE, enable ? TRUE : FALSE, 0);
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, handle, OBJID_WINDOW, CHILDID_SELF);
    return wasDisabled;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    Window *window = findWindow(dialog);
    if (!window) {
        return nullptr;
    }
    for (HWND child : window->children) {
        Window *c = findWindow(child);
        if (c && c->id == id) {
            return child;
        }
    }
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND handle) {
    Window *window = findWindow(handle);
    return window && window->isChild() ? window->id : 0;
}

UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int bufferMax) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) {
        if (buffer && bufferMax > 0) {
            buffer[0] = 0;
        }
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(item, buffer, bufferMax));
}

const Surface *topLevelSurface(HWND handle) {
    Window *window = findWindow(handle);
    return window && !window->isChild() ? &window->surface : nullptr;
}

// Of the window's longs, the window procedure (GWLP_WNDPROC): a new one subclasses the window,
// and every message sent to it from then on goes there first.
LONG_PTR WINAPI GetWindowLongPtrA(HWND handle, int index) {
    Window *window = findWindow(handle);
    if (!window || index != GWLP_WNDPROC) {
        return 0;
    }
    return reinterpret_cast<LONG_PTR>(window->proc);
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND handle, int index, LONG_PTR value) {
    Window *window = findWindow(handle);
    if (!window || index != GWLP_WNDPROC || !value) {
        return 0;
    }
    WNDPROC previous = window->proc;
    window->proc = reinterpret_cast<WNDPROC>(value);
    return reinterpret_cast<LONG_PTR>(previous);
}
