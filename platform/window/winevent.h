// WinEvents: what changed about a window (made, destroyed, shown, hidden, renamed, its state,
// the focus, the menu), raised by the window manager, DefWindowProcA, the controls and the menu
// bar, and heard at once by the hooks of the parts above, as in-context hooks are in USER32.
#pragma once

#include "platform/win32.h"

enum : DWORD {
    EVENT_SYSTEM_MENUSTART = 0x0004,
    EVENT_SYSTEM_MENUEND = 0x0005,
    EVENT_SYSTEM_MENUPOPUPSTART = 0x0006,
    EVENT_SYSTEM_MENUPOPUPEND = 0x0007,
    EVENT_OBJECT_CREATE = 0x8000,
    EVENT_OBJECT_DESTROY = 0x8001,
    EVENT_OBJECT_SHOW = 0x8002,
    EVENT_OBJECT_HIDE = 0x8003,
    EVENT_OBJECT_FOCUS = 0x8005,
    EVENT_OBJECT_STATECHANGE = 0x800A,
    EVENT_OBJECT_NAMECHANGE = 0x800C,
};
enum : LONG { OBJID_WINDOW = 0, OBJID_MENU = -3, OBJID_CLIENT = -4, CHILDID_SELF = 0 };
struct WinEventHookTag;
typedef WinEventHookTag *HWINEVENTHOOK;
// The thread and the time are not kept: both are 0.
typedef void(CALLBACK *WINEVENTPROC)(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                     LONG child, DWORD thread, DWORD milliseconds);
HWINEVENTHOOK WINAPI SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE module,
                                     WINEVENTPROC proc, DWORD process, DWORD thread, DWORD flags);
void WINAPI NotifyWinEvent(DWORD event, HWND window, LONG object, LONG child);
