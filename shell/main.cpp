// Outside Windows the process start-up is main: it hands the entry routine what the Windows
// start-up would.
#include "shell/app.h"

int main(int, char **) {
    return WinMain(nullptr, nullptr, (LPSTR) "", SW_SHOWDEFAULT);
}
