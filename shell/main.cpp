// Outside Windows the process start-up is main: it hands the entry routine what the Windows
// start-up would, the module's instance handle first.
#include "shell/app.h"

int main(int, char **) {
    return WinMain(GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_SHOWDEFAULT);
}
