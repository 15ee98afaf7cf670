// The dialog manager: dialogs built from their templates, the nested modal loop with the dialog
// keys that it applies before dispatching, EndDialog, and the layer's system classes.
#include "platform/dialog/dialog.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#include "platform/controls/controls.h"
#include "platform/dialog/defdlg.h"
#include "platform/resources/resfile.h"
#include "platform/window/message.h"
#include "platform/window/nonclient.h"
#include "platform/window/paint.h"

namespace {

std::vector<HWND> runningDialogs; // innermost last

// value * numerator / denominator rounded to the nearest, as MulDiv does.
int mulDiv(int value, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    long long product = static_cast<long long>(value) * numerator;
    long long half = (denominator < 0 ? -denominator : denominator) / 2;
    bool negative = (product < 0) != (denominator < 0);
    long long magnitude = (product < 0 ? -product : product) + half;
    long long quotient = magnitude / (denominator < 0 ? -denominator : denominator);
    return static_cast<int>(negative ? -quotient : quotient);
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
    position = placeOnWorkArea({position.x, position.y, position.x + width, position.y + height});

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
            runningDialogs.push_back(dialog);
            // Where WM_INITDIALOG placed it partly off the work area, it is moved on first.
            SendMessageA(dialog, DM_REPOSITION, 0, 0);
            ShowWindow(dialog, SW_SHOWNORMAL);
            runModalLoop(dialog);
            runningDialogs.erase(std::remove(runningDialogs.begin(), runningDialogs.end(), dialog),
                                 runningDialogs.end());
        }
    }
    INT_PTR result = 0;
    if ((window = findWindow(dialog)) != nullptr) {
        result = dialogState(window).result;
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
