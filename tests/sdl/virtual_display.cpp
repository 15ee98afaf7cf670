#include "virtual_display.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

bool VirtualDisplay::start(int width, int height, std::string *why) {
    int ready[2];
    if (pipe(ready) != 0) {
        *why = "no pipe for Xvfb";
        return false;
    }
    char geometry[32], readyFd[16];
    snprintf(geometry, sizeof geometry, "%dx%dx24", width, height);
    snprintf(readyFd, sizeof readyFd, "%d", ready[1]);
    server = fork();
    if (server == 0) {
        // The server goes when the test goes, however it ends.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        close(ready[0]);
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        // -displayfd: Xvfb picks a free display number and writes it when it accepts clients.
        execlp("Xvfb", "Xvfb", "-displayfd", readyFd, "-screen", "0", geometry, "-nolisten", "tcp",
               "-noreset", (char *)nullptr);
        _exit(127);
    }
    close(ready[1]);
    if (server < 0) {
        close(ready[0]);
        *why = "cannot fork for Xvfb";
        return false;
    }
    std::string number;
    for (;;) {
        pollfd wait{ready[0], POLLIN, 0};
        if (poll(&wait, 1, 15000) <= 0)
            break;
        char c;
        ssize_t got = read(ready[0], &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || c == '\n')
            break;
        number += c;
    }
    close(ready[0]);
    if (number.empty()) {
        int status = 0;
        bool ended = waitpid(server, &status, WNOHANG) == server;
        if (ended)
            server = -1;
        *why = ended && WIFEXITED(status) && WEXITSTATUS(status) == 127
                   ? "Xvfb is not installed (Debian package xvfb)"
                   : "Xvfb did not start";
        stop();
        return false;
    }
    display = ":" + number;
    setenv("DISPLAY", display.c_str(), 1);
    return true;
}

void VirtualDisplay::stop() {
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    server = -1;
}

std::string runCommand(const std::string &command, int *status) {
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) {
        if (status)
            *status = -1;
        return output;
    }
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    int result = pclose(pipe);
    if (status)
        *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return output;
}
