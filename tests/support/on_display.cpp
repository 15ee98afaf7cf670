// Runs a command on a private X server, for the tests written as scripts:
//   quillmere_on_display [--window-manager] WIDTHxHEIGHT command [argument ...]
// It ends with the command's status, or with 77 (the test is skipped) when the server, or the
// window manager asked for, cannot start here.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "tests/support/display.h"

int main(int argc, char **argv) {
    const bool manager = argc > 1 && strcmp(argv[1], "--window-manager") == 0;
    const int at = manager ? 2 : 1;
    int width = 0, height = 0;
    if (argc < at + 2 || sscanf(argv[at], "%dx%d", &width, &height) != 2) {
        fprintf(stderr, "usage: %s [--window-manager] WIDTHxHEIGHT command [argument ...]\n",
                argv[0]);
        return 2;
    }
    PrivateDisplay display(width, height, manager);
    if (!display.started()) {
        printf("SKIP: %s\n", display.problem().c_str());
        return 77;
    }
    Child command =
        startChild(std::vector<std::string>(argv + at + 1, argv + argc), ChildOutput::Pass);
    return finishChild(&command, 24 * 3600 * 1000).status;
}
