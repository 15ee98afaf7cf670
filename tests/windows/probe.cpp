// A small Win32 console program for the Wine tests: it finds the running game's board dialog
// and reports its windows and controls, clicks its buttons and presses keys in it. Each
// argument is one step, run in order; every finding is one line on stdout, fields as name=value
// separated by spaces, texts escaped (bytes outside printable ASCII as \xHH) so that a line
// never contains a space inside a value.
//
//   find MS             wait up to MS milliseconds for the board dialog; prints "dialog" and
//   "owner" controls            one "control" line per child window of the dialog, in z-order click
//   ID            clicks button ID and waits until the game has handled it, printing a
//                       "seen" line whenever the status text or a button's visibility changes
//   key VK              posts a key press (virtual-key code) to the dialog's focused window
//   msaa                one "accessible" line per child of the dialog: what a screen reader
//                       reads through MSAA (oleacc's object for the window's client area)
//   baseunits SIZE FACE the dialog base units of that font on this system, as dialogs use them
#include <windows.h>

#include <oleacc.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

HWND boardDialog;

std::string escaped(const char *text) {
    std::string out;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; ++p) {
        if (*p > 0x20 && *p < 0x7f && *p != '\\') {
            out += static_cast<char>(*p);
        } else {
            char code[8];
            snprintf(code, sizeof code, "\\x%02x", *p);
            out += code;
        }
    }
    return out;
}

// The text of a window without sending it a message, so it can be read while the game's
// thread is busy: for a window of another process Windows answers from its own copy.
std::string quietText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return escaped(text);
}

std::string className(HWND window) {
    char name[128] = "";
    GetClassNameA(window, name, sizeof name);
    return escaped(name);
}

struct FindRequest {
    HWND found;
};

BOOL CALLBACK findBoard(HWND window, LPARAM data) {
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    if (strcmp(title, "Quillmere") == 0 && className(window) == "#32770" &&
        IsWindowVisible(window)) {
        reinterpret_cast<FindRequest *>(data)->found = window;
        return FALSE;
    }
    return TRUE;
}

bool findStep(int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        FindRequest request = {nullptr};
        EnumWindows(findBoard, reinterpret_cast<LPARAM>(&request));
        if (request.found) {
            boardDialog = request.found;
            break;
        }
        Sleep(50);
    }
    if (!boardDialog) {
        printf("error step=find what=no-board-dialog\n");
        return false;
    }
    RECT outer, client;
    GetWindowRect(boardDialog, &outer);
    GetClientRect(boardDialog, &client);
    printf("dialog title=%s class=%s visible=%d enabled=%d outer=%ld,%ld,%ld,%ld client=%ld,%ld "
           "menu=%d\n",
           quietText(boardDialog).c_str(), className(boardDialog).c_str(),
           IsWindowVisible(boardDialog) ? 1 : 0, IsWindowEnabled(boardDialog) ? 1 : 0, outer.left,
           outer.top, outer.right, outer.bottom, client.right, client.bottom,
           GetMenu(boardDialog) ? 1 : 0);
    HWND owner = GetWindow(boardDialog, GW_OWNER);
    if (owner) {
        printf("owner title=%s class=%s visible=%d enabled=%d minimized=%d\n",
               quietText(owner).c_str(), className(owner).c_str(), IsWindowVisible(owner) ? 1 : 0,
               IsWindowEnabled(owner) ? 1 : 0, IsIconic(owner) ? 1 : 0);
    } else {
        printf("owner none\n");
    }
    return true;
}

bool controlsStep() {
    for (HWND child = GetWindow(boardDialog, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(child);
        char text[512] = "";
        if (GetDlgItem(boardDialog, id) == child) {
            GetDlgItemTextA(boardDialog, id, text, sizeof text);
        } else {
            GetWindowTextA(child, text, sizeof text);
        }
        RECT box;
        GetWindowRect(child, &box);
        MapWindowPoints(HWND_DESKTOP, boardDialog, reinterpret_cast<POINT *>(&box), 2);
        printf("control id=%d class=%s visible=%d enabled=%d rect=%ld,%ld,%ld,%ld text=%s\n",
               static_cast<short>(id), className(child).c_str(), IsWindowVisible(child) ? 1 : 0,
               IsWindowEnabled(child) ? 1 : 0, box.left, box.top, box.right, box.bottom,
               escaped(text).c_str());
    }
    return true;
}

struct ClickRequest {
    HWND button;
    bool answered;
};

DWORD WINAPI sendClick(LPVOID data) {
    ClickRequest *request = static_cast<ClickRequest *>(data);
    DWORD_PTR result = 0;
    request->answered =
        SendMessageTimeoutA(request->button, BM_CLICK, 0, 0, SMTO_NORMAL, 60000, &result) != 0;
    return 0;
}

// What can change while the game's thread is busy: the status line and the action buttons.
std::string busyState() {
    static const int watched[] = {1009, 1017, 1018, 1019};
    std::string state = "status=" + quietText(GetDlgItem(boardDialog, 1022)) + " hidden=";
    bool any = false;
    for (int id : watched) {
        HWND control = GetDlgItem(boardDialog, id);
        if (control && !IsWindowVisible(control)) {
            state += (any ? "," : "") + std::to_string(id);
            any = true;
        }
    }
    if (!any) {
        state += "none";
    }
    return state;
}

bool clickStep(int id) {
    HWND button = GetDlgItem(boardDialog, id);
    if (!button) {
        printf("error step=click what=no-control id=%d\n", id);
        return false;
    }
    ClickRequest request = {button, false};
    HANDLE sender = CreateThread(nullptr, 0, sendClick, &request, 0, nullptr);
    if (!sender) {
        printf("error step=click what=no-thread\n");
        return false;
    }
    std::string last = busyState();
    while (WaitForSingleObject(sender, 10) == WAIT_TIMEOUT) {
        std::string now = busyState();
        if (now != last) {
            printf("seen %s\n", now.c_str());
            fflush(stdout);
            last = now;
        }
    }
    CloseHandle(sender);
    printf("clicked id=%d answered=%d\n", id, request.answered ? 1 : 0);
    return request.answered;
}

bool keyStep(int vk) {
    GUITHREADINFO info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(boardDialog, nullptr);
    HWND target = boardDialog;
    if (GetGUIThreadInfo(thread, &info) && info.hwndFocus) {
        target = info.hwndFocus;
    }
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
    printf("key vk=%d target=%d\n", vk, static_cast<short>(GetDlgCtrlID(target)));
    return true;
}

// The dialog manager's base units: the average width of the 52 letters, rounded, and the
// character height of the font at the screen's resolution.
bool baseUnitsStep(int pointSize, const char *face) {
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
    HFONT font =
        CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(screen, &metrics);
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SIZE extent;
    GetTextExtentPoint32A(screen, letters, 52, &extent);
    char used[LF_FACESIZE] = "";
    GetTextFaceA(screen, sizeof used, used);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    printf("baseunits x=%ld y=%ld letters=%ld height=%d face=%s\n", (extent.cx / 26 + 1) / 2,
           metrics.tmHeight, extent.cx, height, escaped(used).c_str());
    return true;
}

// Name, role and state as oleacc gives them, the name converted to Windows-1252.
bool msaaStep() {
    CoInitialize(nullptr);
    for (HWND child = GetWindow(boardDialog, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        IAccessible *object = nullptr;
        HRESULT found = AccessibleObjectFromWindow(child, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void **>(&object));
        if (FAILED(found) || !object) {
            printf("error step=msaa what=no-object id=%d hr=%08lx\n",
                   static_cast<short>(GetDlgCtrlID(child)), static_cast<unsigned long>(found));
            CoUninitialize();
            return false;
        }
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        HRESULT named = object->get_accName(self, &name);
        char text[512] = "";
        if (name) {
            WideCharToMultiByte(1252, 0, name, -1, text, sizeof text, nullptr, nullptr);
            SysFreeString(name);
        }
        VARIANT role, state;
        VariantInit(&role);
        VariantInit(&state);
        object->get_accRole(self, &role);
        object->get_accState(self, &state);
        printf("accessible id=%d hr=%08lx role=%ld state=%lx name=%s\n",
               static_cast<short>(GetDlgCtrlID(child)), static_cast<unsigned long>(named),
               role.vt == VT_I4 ? role.lVal : -1L, state.vt == VT_I4 ? state.lVal : -1L,
               escaped(text).c_str());
        object->Release();
    }
    CoUninitialize();
    return true;
}

bool needsDialog(const char *step) {
    if (boardDialog) {
        return true;
    }
    printf("error step=%s what=find-first\n", step);
    return false;
}

} // namespace

int main(int argc, char **argv) {
    bool ok = true;
    for (int i = 1; ok && i < argc; ++i) {
        const char *step = argv[i];
        const char *value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (strcmp(step, "find") == 0 && value) {
            ok = findStep(atoi(value));
            ++i;
        } else if (strcmp(step, "controls") == 0) {
            ok = needsDialog(step) && controlsStep();
        } else if (strcmp(step, "click") == 0 && value) {
            ok = needsDialog(step) && clickStep(atoi(value));
            ++i;
        } else if (strcmp(step, "msaa") == 0) {
            ok = needsDialog(step) && msaaStep();
        } else if (strcmp(step, "key") == 0 && value) {
            ok = needsDialog(step) && keyStep(atoi(value));
            ++i;
        } else if (strcmp(step, "baseunits") == 0 && value && i + 2 < argc) {
            ok = baseUnitsStep(atoi(value), argv[i + 2]);
            i += 2;
        } else {
            printf("error step=%s what=unknown-or-incomplete\n", step);
            ok = false;
        }
        fflush(stdout);
    }
    return ok ? 0 : 2;
}
