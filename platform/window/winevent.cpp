// WinEvents: the hooks, and the events handed to them.
#include <vector>

#include "platform/window/winevent.h"

namespace {

struct WinEventHook {
    DWORD eventMin, eventMax;
    WINEVENTPROC proc;
};

std::vector<WinEventHook> hooks;

} // namespace

HWINEVENTHOOK WINAPI SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE, WINEVENTPROC proc,
                                     DWORD, DWORD, DWORD) {
    if (!proc) {
        return nullptr;
    }
    hooks.push_back({eventMin, eventMax, proc});
    return reinterpret_cast<HWINEVENTHOOK>(hooks.size());
}

void WINAPI NotifyWinEvent(DWORD event, HWND window, LONG object, LONG child) {
    for (size_t i = 0; i < hooks.size(); ++i) {
        if (event >= hooks[i].eventMin && event <= hooks[i].eventMax) {
            hooks[i].proc(reinterpret_cast<HWINEVENTHOOK>(i + 1), event, window, object, child, 0,
                          0);
        }
    }
}
