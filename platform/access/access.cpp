// The window tree as assistive technology reads it, for the backends that expose it (the
// page's accessible mirror, AT-SPI on the desktop): a role from each window's class and style,
// a name from its text, its states read through messages as a screen reader's proxy reads
// them, the menu bar's items through the menu bar's window procedure, and the text a dialog
// paints itself (as a screen reader's display model reads it). The WinEvents of the window
// manager, the controls and the menu bar become the backend's access events.
#include <map>

#include "platform/controls/controls.h"
#include "platform/gdi/cp1252.h"
#include "platform/window/message.h"
#include "platform/window/nonclient.h"
#include "platform/window/paint.h"
#include "platform/window/winevent.h"

namespace {

// The item of a dialog's painted text; menu items are menuItemChild numbers, from 256 up.
enum { paintedTextItem = 1 };

bool started = false;
HWND lastActive = nullptr;
std::map<HWND, std::string> paintedTexts; // Windows-1252, the last each dialog drew

ATOM atomOf(const Window *window) {
    return window->windowClass ? window->windowClass->atom : 0;
}

bool isPushButton(const Window *window) {
    DWORD type = window->style & BS_TYPEMASK;
    return atomOf(window) == buttonClassAtom && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// The text without its '&' marks ("&&" stands for one '&'), as UTF-8.
std::string shownName(const std::string &text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        shown += text[i];
    }
    return cp1252ToUtf8(shown.data(), shown.size());
}

std::string windowText(HWND window) {
    char text[512];
    int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? size_t(length) : 0);
}

// A push button without a text of its own is named by the label that follows it.
HWND labelAfter(const Window *button) {
    const Window *parent = findWindow(button->parent);
    if (!parent || !isPushButton(button) || !button->text.empty()) {
        return nullptr;
    }
    const std::vector<HWND> &siblings = parent->children;
    for (size_t i = 0; i + 1 < siblings.size(); ++i) {
        const Window *next = findWindow(siblings[i + 1]);
        if (siblings[i] == button->handle && next && atomOf(next) == staticClassAtom) {
            return next->handle;
        }
    }
    return nullptr;
}

// The button that a label names, or null.
HWND buttonBefore(const Window *label) {
    const Window *parent = findWindow(label->parent);
    if (!parent || atomOf(label) != staticClassAtom) {
        return nullptr;
    }
    const std::vector<HWND> &siblings = parent->children;
    for (size_t i = 1; i < siblings.size(); ++i) {
        const Window *before = findWindow(siblings[i - 1]);
        if (siblings[i] == label->handle && before && labelAfter(before) == label->handle) {
            return before->handle;
        }
    }
    return nullptr;
}

AccessRole roleOf(const Window *window) {
    switch (atomOf(window)) {
    case buttonClassAtom:
        return AccessRole::Button;
    case staticClassAtom:
        return AccessRole::Label;
    case editClassAtom:
        return AccessRole::Text;
    case menuClassAtom:
        return AccessRole::MenuBar;
    case dialogClassAtom:
        return AccessRole::Dialog;
    default:
        return AccessRole::Frame;
    }
}

uint32_t stateIf(bool condition, AccessState state) {
    return condition ? uint32_t(state) : 0;
}

RECT surfaceToScreen(const Window *top, RECT r) {
    POINT origin = surfaceOriginOnScreen(top);
    return {r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
}

void describeWindow(const Window *window, AccessNode *out) {
    HWND handle = window->handle;
    out->role = roleOf(window);
    out->parent = {window->isChild() ? window->parent : nullptr, 0};
    HWND label = labelAfter(window);
    out->labelledBy = {label, 0};
    if (paintedTexts.count(handle)) {
        out->describedBy = {handle, paintedTextItem};
    }
    bool menuBar = out->role == AccessRole::MenuBar;
    out->name = menuBar ? "" : shownName(windowText(label ? label : handle));
    bool button = out->role == AccessRole::Button;
    // The menu bar's window lies in the non-client area and shows with its window.
    Window *top = topLevelOf(const_cast<Window *>(window));
    out->states =
        stateIf(IsWindowEnabled(handle), AccessEnabled) |
        stateIf(isShowing(menuBar ? top : window), AccessShowing) |
        stateIf(GetFocus() == handle, AccessFocused) |
        stateIf(button || out->role == AccessRole::Text, AccessFocusable) |
        stateIf(button && (SendMessageA(handle, BM_GETSTATE, 0, 0) & BST_PUSHED), AccessPressed) |
        stateIf(button && (window->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON, AccessDefault) |
        stateIf(out->role == AccessRole::Text && (window->style & ES_READONLY), AccessReadOnly) |
        stateIf(!window->isChild() && window->iconic, AccessIconic) |
        stateIf(out->role == AccessRole::Dialog && !window->isChild() && window->owner &&
                    handle == activeTopLevel(),
                AccessModal);
    if (menuBar && top) {
        out->screen = surfaceToScreen(top, {0, 0, clientSize(top).cx, menuBarHeight(top)});
    } else {
        GetWindowRect(handle, &out->screen);
    }
}

// A menu item's bar index and entry (-1 for the bar item itself).
bool menuItemOf(int item, int *bar, int *entry) {
    *bar = item / 256 - 1;
    *entry = item % 256 - 1;
    return *bar >= 0 && menuItemChild(*bar, *entry) == item;
}

bool viewMenuItem(HWND menuBar, int item, MenuItemView *view) {
    int bar, entry;
    return menuItemOf(item, &bar, &entry) &&
           SendMessageA(menuBar, MN_GETITEMVIEW, MAKEWPARAM(bar, entry + 1),
                        reinterpret_cast<LPARAM>(view));
}

bool describeMenuItem(const Window *menuBar, int item, AccessNode *out) {
    MenuItemView view;
    int bar, entry;
    Window *top = findWindow(menuBar->parent);
    if (!top || !viewMenuItem(menuBar->handle, item, &view) || !view.showing) {
        return false;
    }
    menuItemOf(item, &bar, &entry);
    out->role = view.popup ? AccessRole::Menu : AccessRole::MenuItem;
    out->name = shownName(view.text);
    out->parent = {menuBar->handle, entry < 0 ? 0 : menuItemChild(bar, -1)};
    out->states = AccessFocusable | stateIf(isShowing(top), AccessShowing) |
                  stateIf(view.enabled, AccessEnabled) | stateIf(view.open, AccessExpanded) |
                  stateIf(view.highlighted, AccessFocused);
    out->screen = surfaceToScreen(top, view.surface);
    return true;
}

void describePaintedText(const Window *dialog, const std::string &text, AccessNode *out) {
    out->role = AccessRole::Label;
    out->parent = {dialog->handle, 0};
    out->name = cp1252ToUtf8(text.data(), text.size());
    out->states = stateIf(isShowing(dialog), AccessShowing) |
                  stateIf(IsWindowEnabled(dialog->handle), AccessEnabled);
    RECT client{0, 0, 0, 0};
    GetClientRect(dialog->handle, &client);
    POINT origin{0, 0};
    ClientToScreen(dialog->handle, &origin);
    out->screen = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

// The entries of a bar item's drop-down, whether it shows or not.
std::vector<AccessKey> entriesOf(HWND menuBar, int barItem) {
    std::vector<AccessKey> entries;
    int bar, entry;
    MenuItemView view;
    for (menuItemOf(barItem, &bar, &entry), entry = 0;
         entry < 255 && viewMenuItem(menuBar, menuItemChild(bar, entry), &view); ++entry) {
        entries.push_back({menuBar, menuItemChild(bar, entry)});
    }
    return entries;
}

void tell(AccessEvent event, AccessKey node) {
    if (started) {
        backendAccessEvent(event, node);
    }
}

// The modal state follows the top-level window that the keyboard talks to.
void tellActiveChange() {
    HWND active = activeTopLevel();
    if (active != lastActive) {
        HWND previous = lastActive;
        lastActive = active;
        if (findWindow(previous)) {
            tell(AccessEvent::StateChanged, {previous, 0});
        }
        if (active) {
            tell(AccessEvent::StateChanged, {active, 0});
        }
    }
}

// What a dialog draws with DrawTextA on its own client area: a message's text, the rules.
void onTextDrawn(HDC dc, const char *text, int length) {
    HWND handle = WindowFromDC(dc);
    Window *window = findWindow(handle);
    if (!window || window->isChild() || atomOf(window) != dialogClassAtom) {
        return;
    }
    std::string drawn(text, size_t(length));
    auto kept = paintedTexts.find(handle);
    if (kept == paintedTexts.end()) {
        paintedTexts[handle] = drawn;
        tell(AccessEvent::Created, {handle, paintedTextItem});
        tell(AccessEvent::StateChanged, {handle, 0});
    } else if (kept->second != drawn) {
        kept->second = drawn;
        tell(AccessEvent::NameChanged, {handle, paintedTextItem});
    }
}

void CALLBACK onWinEvent(HWINEVENTHOOK, DWORD event, HWND handle, LONG, LONG child, DWORD, DWORD) {
    Window *window = findWindow(handle);
    if (!window) {
        return;
    }
    AccessKey node{handle, int(child)};
    switch (event) {
    case EVENT_OBJECT_CREATE:
        tell(AccessEvent::Created, node);
        break;
    case EVENT_OBJECT_DESTROY:
        tell(AccessEvent::Destroyed, node);
        paintedTexts.erase(handle);
        break;
    case EVENT_OBJECT_SHOW:
        tell(AccessEvent::Shown, node);
        break;
    case EVENT_OBJECT_HIDE:
        tell(AccessEvent::Hidden, node);
        break;
    case EVENT_OBJECT_NAMECHANGE:
        tell(AccessEvent::NameChanged, node);
        if (HWND button = buttonBefore(window)) {
            tell(AccessEvent::NameChanged, {button, 0});
        }
        break;
    case EVENT_OBJECT_STATECHANGE:
    case EVENT_SYSTEM_MENUSTART:
        tell(AccessEvent::StateChanged, node);
        break;
    case EVENT_SYSTEM_MENUEND:
        // The keyboard is back with the window that has the focus.
        tell(AccessEvent::StateChanged, node);
        if (HWND focus = GetFocus()) {
            tell(AccessEvent::Focused, {focus, 0});
        }
        break;
    case EVENT_OBJECT_FOCUS:
        tell(AccessEvent::Focused, node);
        break;
    case EVENT_SYSTEM_MENUPOPUPSTART:
        // A drop-down opens: its entries appear.
        tell(AccessEvent::StateChanged, node);
        for (AccessKey entry : entriesOf(handle, node.item)) {
            tell(AccessEvent::Created, entry);
        }
        break;
    case EVENT_SYSTEM_MENUPOPUPEND:
        for (AccessKey entry : entriesOf(handle, node.item)) {
            tell(AccessEvent::Destroyed, entry);
        }
        tell(AccessEvent::StateChanged, node);
        break;
    }
    tellActiveChange();
}

} // namespace

void accessStart() {
    if (!started) {
        started = true;
        lastActive = activeTopLevel();
        SetWinEventHook(EVENT_SYSTEM_MENUSTART, EVENT_OBJECT_NAMECHANGE, nullptr, onWinEvent, 0, 0,
                        0);
        setDrawTextHook(onTextDrawn);
    }
}

std::vector<AccessKey> accessTopLevels() {
    std::vector<AccessKey> nodes;
    const std::vector<HWND> &order = topLevelOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Window *window = findWindow(*it);
        if (window && !window->destroying) {
            nodes.push_back({*it, 0});
        }
    }
    return nodes;
}

std::vector<AccessKey> accessChildren(AccessKey node) {
    std::vector<AccessKey> nodes;
    const Window *window = findWindow(node.window);
    if (!window || window->destroying) {
        return nodes;
    }
    if (atomOf(window) == menuClassAtom) {
        // The bar's items, or the entries of an open drop-down.
        MenuItemView view;
        if (node.item != 0) {
            if (viewMenuItem(node.window, node.item, &view) && view.open) {
                nodes = entriesOf(node.window, node.item);
            }
            return nodes;
        }
        for (int bar = 0; bar < 255 && viewMenuItem(node.window, menuItemChild(bar, -1), &view);
             ++bar) {
            nodes.push_back({node.window, menuItemChild(bar, -1)});
        }
        return nodes;
    }
    if (node.item != 0) {
        return nodes;
    }
    if (!window->isChild() && findWindow(window->menuBar)) {
        nodes.push_back({window->menuBar, 0});
    }
    if (paintedTexts.count(node.window)) {
        nodes.push_back({node.window, paintedTextItem});
    }
    for (HWND child : window->children) {
        const Window *c = findWindow(child);
        if (c && !c->destroying) {
            nodes.push_back({child, 0});
        }
    }
    return nodes;
}

bool accessDescribe(AccessKey node, AccessNode *out) {
    const Window *window = findWindow(node.window);
    if (!window || window->destroying) {
        return false;
    }
    *out = AccessNode();
    out->key = node;
    if (node.item == 0) {
        describeWindow(window, out);
        return true;
    }
    if (atomOf(window) == menuClassAtom) {
        return describeMenuItem(window, node.item, out);
    }
    auto painted = paintedTexts.find(node.window);
    if (node.item != paintedTextItem || painted == paintedTexts.end()) {
        return false;
    }
    describePaintedText(window, painted->second, out);
    return true;
}

void accessActivate(AccessKey node) {
    Window *window = findWindow(node.window);
    if (!window) {
        return;
    }
    InputEvent event;
    if (node.item == 0) {
        event.kind = InputEvent::Activate;
        event.target = node.window;
        queueInput(event);
        return;
    }
    // A menu item is clicked where it shows, as the mouse would.
    AccessNode item;
    Window *top = topLevelOf(window);
    if (!top || !accessDescribe(node, &item) || item.role == AccessRole::Label) {
        return;
    }
    POINT origin = surfaceOriginOnScreen(top);
    event.topLevel = top->handle;
    event.x = (item.screen.left + item.screen.right) / 2 - origin.x;
    event.y = (item.screen.top + item.screen.bottom) / 2 - origin.y;
    for (InputEvent::Kind kind : {InputEvent::MouseDown, InputEvent::MouseUp}) {
        event.kind = kind;
        queueInput(event);
    }
}

void accessFocus(AccessKey node) {
    if (node.item == 0 && findWindow(node.window)) {
        InputEvent event;
        event.kind = InputEvent::Focus;
        event.target = node.window;
        queueInput(event);
    }
}
