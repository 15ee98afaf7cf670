// The dialog manager: dialogs built from their templates, nested modal loops, the default
// handling a dialog procedure gets by returning FALSE, and the dialog keyboard.
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#include "platform/window/window.h"

namespace {

struct DialogState : WindowExtra {
    DLGPROC proc = nullptr;
    bool running = false; // its modal loop runs
    bool ended = false;
    INT_PTR result = 0;
    HFONT font = nullptr;         // made from the template, deleted with the dialog
    int defaultId = 0;            // the default push button's id (template or DM_SETDEFID), 0 none
    HWND disabledOwner = nullptr; // the owner its loop disabled, enabled again at the end
};

DialogState &dialogState(Window *dialog) {
    return extraOf<DialogState>(dialog);
}

bool isDialog(const Window *window) {
    return window && window->windowClass->atom == dialogClassAtom;
}

std::vector<HWND> runningDialogs; // innermost last

bool isTabStop(const Window *window) {
    // The control's own style counts, so that the tab stops are known before the dialog shows.
    return window && (window->style & WS_TABSTOP) && (window->style & WS_VISIBLE) &&
           !(window->style & WS_DISABLED);
}

HWND nextTabStop(Window *dialog, HWND from, bool backwards) {
    const std::vector<HWND> &children = dialog->children;
    int count = static_cast<int>(children.size());
    if (count == 0) {
        return nullptr;
    }
    int start =
        static_cast<int>(std::find(children.begin(), children.end(), from) - children.begin());
    if (start == count) {
        start = backwards ? 0 : count - 1;
    }
    for (int step = 1; step <= count; ++step) {
        int index = ((backwards ? start - step : start + step) % count + count) % count;
        if (isTabStop(findWindow(children[index]))) {
            return children[index];
        }
    }
    return nullptr;
}

LRESULT dialogCode(HWND control) {
    return SendMessageA(control, WM_GETDLGCODE, 0, 0);
}

// The next (or previous) showing, enabled control of the group that holds `from`: a group runs
// from a WS_GROUP control to the next one, across the end of the list and back to its start.
HWND nextGroupItem(Window *dialog, HWND from, bool previous) {
    const std::vector<HWND> &children = dialog->children;
    int count = static_cast<int>(children.size());
    int start =
        static_cast<int>(std::find(children.begin(), children.end(), from) - children.begin());
    if (count == 0 || (start == count && previous)) {
        return nullptr;
    }
    if (start == count) {
        start = 0;
    }
    // The group's first control: walk back to the nearest WS_GROUP control.
    int first = start;
    for (int step = 0; step < count; ++step) {
        int index = ((start - step) % count + count) % count;
        Window *w = findWindow(children[index]);
        if (w && (w->style & WS_GROUP)) {
            first = index;
            break;
        }
    }
    // The group's members in order, from its first control up to the next WS_GROUP one.
    std::vector<int> members;
    for (int step = 0; step < count; ++step) {
        int index = (first + step) % count;
        Window *w = findWindow(children[index]);
        if (step > 0 && w && (w->style & WS_GROUP)) {
            break;
        }
        members.push_back(index);
    }
    int at = static_cast<int>(std::find(members.begin(), members.end(), start) - members.begin());
    int size = static_cast<int>(members.size());
    for (int step = 1; step < size; ++step) {
        int index = members[((previous ? at - step : at + step) % size + size) % size];
        Window *w = findWindow(children[index]);
        if (w && (w->style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) {
            return children[index];
        }
    }
    return from;
}

void focusControl(HWND control) {
    if (dialogCode(control) & DLGC_HASSETSEL) {
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
    SetFocus(control);
}

HWND findDefaultButton(Window *dialog) {
    std::vector<HWND> children = dialog->children;
    for (HWND child : children) {
        if (dialogCode(child) & DLGC_DEFPUSHBUTTON) {
            return child;
        }
    }
    return nullptr;
}

// Takes the default style from the button that holds it (the one named by old, or else any
// button that has it) and gives it to next when next is a push button.
void moveDefaultStyle(Window *dialog, HWND old, HWND next, LRESULT code) {
    if (!old || !(dialogCode(old) & DLGC_DEFPUSHBUTTON)) {
        old = findDefaultButton(dialog);
    }
    if (old && old != next) {
        SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    if (next && (code & DLGC_UNDEFPUSHBUTTON)) {
        SendMessageA(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

// The default-button style follows a focus moved by the dialog keys: a push button that gets
// the focus takes it, and the previous holder gives it up; any other control gives it back to
// the dialog's default id.
void setDefaultButton(Window *dialog, HWND next) {
    HWND handle = dialog->handle;
    HWND old =
        dialogState(dialog).defaultId ? GetDlgItem(handle, dialogState(dialog).defaultId) : nullptr;
    LRESULT code = 0;
    if (next && !((code = dialogCode(next)) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) {
        next = old;
        code = dialogCode(next);
    }
    moveDefaultStyle(dialog, old, next, code);
}

void setDefaultId(Window *dialog, int id) {
    HWND handle = dialog->handle;
    int oldId = dialogState(dialog).defaultId;
    dialogState(dialog).defaultId = id;
    HWND next = GetDlgItem(handle, id);
    LRESULT code = next ? dialogCode(next) : 0;
    if (next && !(code & (DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON))) {
        return;
    }
    HWND old = oldId ? GetDlgItem(handle, oldId) : nullptr;
    moveDefaultStyle(dialog, old, next, code);
}

void restoreFocus(Window *dialog) {
    if (dialogState(dialog).ended) {
        return;
    }
    HWND last = dialog->lastFocus;
    Window *window = findWindow(last);
    if (window && isDescendant(dialog->handle, last) && isShowing(window) &&
        isEnabledTree(window)) {
        SetFocus(last);
    } else if (HWND first = nextTabStop(dialog, nullptr, false)) {
        SetFocus(first);
    }
}

const char *templateClassName(const DialogItemTemplate &item) {
    if (item.classAtom) {
        return MAKEINTRESOURCEA(item.classAtom);
    }
    return item.className.c_str();
}

HWND createDialog(HINSTANCE instance, const DialogTemplate &source, HWND owner, DLGPROC proc,
                  LPARAM param) {
    if (!source.className.empty()) {
        return nullptr; // only the built-in dialog class is known
    }
    HFONT font = (source.style & DS_SETFONT)
                     ? createPointFont(source.faceName.c_str(), source.pointSize, FW_NORMAL, false)
                     : nullptr;
    SIZE base = dialogBaseUnits(font ? font : guiFont());
    if (base.cx <= 0 || base.cy <= 0) {
        base = {6, 13};
    }
    DWORD style = source.style & ~(WS_VISIBLE | WS_CHILD);
    DWORD exStyle = source.exStyle | ((source.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    RECT insets = nonClientInsets(style, exStyle, source.menuId != 0);
    int width = mulDiv(source.cx, base.cx, 4) + insets.left + insets.right;
    int height = mulDiv(source.cy, base.cy, 8) + insets.top + insets.bottom;
    POINT position{mulDiv(source.x, base.cx, 4), mulDiv(source.y, base.cy, 8)};
    Window *ownerWindow = findWindow(owner);
    if (ownerWindow && isShowing(ownerWindow)) {
        ClientToScreen(owner, &position);
    }
    // Keep the whole dialog on the screen.
    position.x = std::max<LONG>(0, std::min<LONG>(position.x, screenWidth - width));
    position.y = std::max<LONG>(0, std::min<LONG>(position.y, screenHeight - height));

    // The menu goes with the window as its creation menu, named by its resource number.
    HMENU menu = reinterpret_cast<HMENU>(static_cast<uintptr_t>(source.menuId));
    HWND dialog =
        CreateWindowExA(exStyle, MAKEINTRESOURCEA(dialogClassAtom), source.title.c_str(), style,
                        position.x, position.y, width, height, owner, menu, instance, nullptr);
    Window *window = findWindow(dialog);
    if (!window) {
        if (font) {
            DeleteObject(font);
        }
        return nullptr;
    }
    dialogState(window).font = font;
    dialogState(window).proc = proc;
    if (font) {
        SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    HWND defaultButton = nullptr;
    for (const DialogItemTemplate &item : source.items) {
        int x = mulDiv(item.x, base.cx, 4), y = mulDiv(item.y, base.cy, 8);
        int cx = mulDiv(item.cx, base.cx, 4), cy = mulDiv(item.cy, base.cy, 8);
        HWND control = CreateWindowExA(item.exStyle, templateClassName(item), item.caption.c_str(),
                                       item.style | WS_CHILD, x, y, cx, cy, dialog,
                                       reinterpret_cast<HMENU>(static_cast<uintptr_t>(item.id)),
                                       instance, nullptr);
        if (!control) {
            DestroyWindow(dialog);
            return nullptr;
        }
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : guiFont()), FALSE);
        // One default push button: a later one takes the style from an earlier one.
        if (dialogCode(control) & DLGC_DEFPUSHBUTTON) {
            if (HWND earlier = defaultButton) {
                SendMessageA(earlier, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
            }
            defaultButton = control;
        }
        window = findWindow(dialog);
        if (window && defaultButton == control) {
            dialogState(window).defaultId = item.id;
        }
    }
    HWND first = window ? nextTabStop(window, nullptr, false) : nullptr;
    LRESULT setFocus = SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    window = findWindow(dialog);
    if (window && setFocus && !dialogState(window).ended &&
        (first = nextTabStop(window, nullptr, false))) {
        focusControl(first);
    }
    return findWindow(dialog) ? dialog : nullptr;
}

// The keyboard of a dialog, applied in the modal loop to a key before it is dispatched, as
// IsDialogMessage does: Tab and Shift+Tab, the arrows, Enter and Esc, unless the window the key
// is for wants them all (the menu bar in menu mode). True when the key was used.
bool isDialogMessage(const Message &message) {
    Window *dialog = topLevelOf(findWindow(message.window));
    if (message.id != WM_KEYDOWN || !isDialog(dialog) || currentModifiers().control ||
        (dialogCode(message.window) & DLGC_WANTALLKEYS)) {
        return false;
    }
    HWND handle = dialog->handle;
    HWND focus = GetFocus();
    HWND control = focus != handle && isDescendant(handle, focus) ? focus : nullptr;
    switch (message.wParam) {
    case VK_TAB:
        SendMessageA(handle, WM_NEXTDLGCTL, currentModifiers().shift ? 1 : 0, 0);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        if (control && (dialogCode(control) & DLGC_WANTARROWS)) {
            return false;
        }
        bool previous = message.wParam == VK_LEFT || message.wParam == VK_UP;
        if (HWND next = nextGroupItem(dialog, control, previous)) {
            SendMessageA(handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), 1);
        }
        return true;
    }
    case VK_RETURN: {
        // The focused button if it holds the default style, else the dialog's default id,
        // else IDOK.
        if (control && (dialogCode(control) & DLGC_DEFPUSHBUTTON)) {
            SendMessageA(handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                         reinterpret_cast<LPARAM>(control));
            return true;
        }
        LRESULT defId = SendMessageA(handle, DM_GETDEFID, 0, 0);
        if (HIWORD(defId) == DC_HASDEFID) {
            HWND button = GetDlgItem(handle, LOWORD(defId));
            if (!button || IsWindowEnabled(button)) {
                SendMessageA(handle, WM_COMMAND, MAKEWPARAM(LOWORD(defId), BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
            }
            return true;
        }
        SendMessageA(handle, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(handle, IDOK)));
        return true;
    }
    case VK_ESCAPE:
        SendMessageA(handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(handle, IDCANCEL)));
        return true;
    default:
        return false;
    }
}

void runModalLoop(HWND dialog) {
    for (;;) {
        Window *window = findWindow(dialog);
        if (!window || dialogState(window).ended || quitPending()) {
            return;
        }
        Message message;
        if (takeMessage(&message)) {
            if (!isDialogMessage(message)) {
                SendMessageA(message.window, message.id, message.wParam, message.lParam);
            }
            continue;
        }
        if (paintPendingWindows()) {
            continue;
        }
        presentDirtySurfaces();
        backendPumpInput(true);
    }
}

void enableOwnerAgain(Window *dialog) {
    HWND owner = dialogState(dialog).disabledOwner;
    dialogState(dialog).disabledOwner = nullptr;
    if (owner) {
        EnableWindow(owner, TRUE);
    }
}

} // namespace

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam) {
    if (owner && !findWindow(owner)) {
        return 0;
    }
    if (!templateName || !IS_INTRESOURCE(templateName)) {
        return -1;
    }
    ResourceBytes bytes;
    DialogTemplate source;
    std::string why;
    if (!findResource(embeddedResourceImage(), ResourceTypeDialog, LOWORD(templateName), &bytes,
                      &why) ||
        !decodeDialog(bytes, &source, &why)) {
        return -1;
    }
    HWND ownerTop = topLevelOf(owner);
    HWND dialog = createDialog(instance, source, ownerTop, dialogProc, initParam);
    Window *window = findWindow(dialog);
    if (!window) {
        return -1;
    }
    if (!dialogState(window).ended) {
        if (ownerTop && IsWindowEnabled(ownerTop)) {
            EnableWindow(ownerTop, FALSE);
            if ((window = findWindow(dialog)) != nullptr) {
                dialogState(window).disabledOwner = ownerTop;
            }
        }
        if (window && !dialogState(window).ended) {
            dialogState(window).running = true;
            runningDialogs.push_back(dialog);
            ShowWindow(dialog, SW_SHOWNORMAL);
            runModalLoop(dialog);
            runningDialogs.erase(std::remove(runningDialogs.begin(), runningDialogs.end(), dialog),
                                 runningDialogs.end());
        }
    }
    INT_PTR result = 0;
    if ((window = findWindow(dialog)) != nullptr) {
        result = dialogState(window).result;
        dialogState(window).running = false;
        enableOwnerAgain(window);
        DestroyWindow(dialog);
    }
    Window *ownerWindow = findWindow(ownerTop);
    if (ownerWindow && isShowing(ownerWindow)) {
        raiseTopLevel(ownerTop);
        if (isDialog(ownerWindow)) {
            restoreFocus(ownerWindow);
        } else {
            SetFocus(ownerTop);
        }
    }
    return result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    Window *window = findWindow(dialog);
    if (!isDialog(window)) {
        return FALSE;
    }
    dialogState(window).ended = true;
    dialogState(window).result = result;
    enableOwnerAgain(window);
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

bool dialogEnded(HWND dialog) {
    Window *window = findWindow(dialog);
    return !isDialog(window) || dialogState(window).ended;
}

// Every class of the layer's own, registered before the program makes its first window.
void registerSystemClasses() {
    registerSystemClass("Button", buttonClassAtom, buttonProc);
    registerSystemClass("Edit", editClassAtom, editProc);
    registerSystemClass("Static", staticClassAtom, staticProc);
    registerSystemClass("#32768", menuClassAtom, menuBarProc);
    registerSystemClass("#32770", dialogClassAtom, dialogWindowProc);
}

HWND innermostModalDialog() {
    for (auto it = runningDialogs.rbegin(); it != runningDialogs.rend(); ++it) {
        if (findWindow(*it)) {
            return *it;
        }
    }
    return nullptr;
}

LRESULT CALLBACK dialogWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window *window = findWindow(handle);
    if (!window) {
        return 0;
    }
    DLGPROC proc = dialogState(window).proc;
    INT_PTR handled = proc ? proc(handle, message, wParam, lParam) : FALSE;
    if (handled || !(window = findWindow(handle))) {
        return handled;
    }
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(handle, &client);
        fillWithSysColor(reinterpret_cast<HDC>(wParam), client, COLOR_BTNFACE);
        return 1;
    }
    case WM_CLOSE:
        PostMessageA(handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(handle, IDCANCEL)));
        return 0;
    case DM_GETDEFID: {
        if (dialogState(window).ended) {
            return 0;
        }
        if (dialogState(window).defaultId) {
            return MAKELPARAM(dialogState(window).defaultId, DC_HASDEFID);
        }
        HWND button = findDefaultButton(window);
        return button ? MAKELPARAM(GetDlgCtrlID(button), DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
        setDefaultId(window, static_cast<int>(wParam));
        return TRUE;
    case WM_NEXTDLGCTL: {
        // lParam set: wParam is the control; else the next (wParam 0) or previous tab stop.
        HWND next =
            lParam ? reinterpret_cast<HWND>(wParam)
                   : nextTabStop(window, isDescendant(handle, GetFocus()) ? GetFocus() : nullptr,
                                 wParam != 0);
        if (next) {
            focusControl(next);
        }
        if ((window = findWindow(handle)) != nullptr) {
            setDefaultButton(window, next);
        }
        return 0;
    }
    case WM_SETFOCUS:
        restoreFocus(window);
        return 0;
    case WM_NCDESTROY:
        if (dialogState(window).font) {
            DeleteObject(dialogState(window).font);
            dialogState(window).font = nullptr;
            window->font = nullptr;
        }
        return 0;
    case WM_INITDIALOG:
        return 0;
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}
