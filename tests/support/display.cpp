#include "tests/support/display.h"

#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

const int startMs = 20000;

// Why a child that should run does not: it could not be run at all, or it gave up.
std::string whyNot(Child *child, const std::string &program, const std::string &package) {
    ProcessResult ended = finishChild(child, 1000);
    return ended.status == 127 ? program + " is not installed (Debian package " + package + ")"
                               : program + " did not start";
}

} // namespace

PrivateDisplay::PrivateDisplay(int width, int height, bool windowManager) {
    if (startServer(width, height) && windowManager) {
        startWindowManager();
    }
    if (!started()) {
        stop();
    }
}

bool PrivateDisplay::startServer(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) {
        problem_ = "no pipe for Xvfb";
        return false;
    }
    // -displayfd: the server picks a free display and writes its number once it takes clients.
    // -r, no autorepeat: a server held up between a key's press and its release must not turn
    // the press into a held key whose repeats reach whatever window is next.
    server_ = startChild({"Xvfb", "-displayfd", "3", "-r", "-screen", "0",
                          std::to_string(width) + "x" + std::to_string(height) + "x24", "-nolisten",
                          "tcp", "-noreset"},
                         ChildOutput::Silence, fds[1]);
    close(fds[1]);
    std::string number;
    pollfd readable = {fds[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos && poll(&readable, 1, startMs) > 0) {
        char buffer[32];
        ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        number.append(buffer, static_cast<size_t>(got));
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        problem_ = whyNot(&server_, "Xvfb", "xvfb");
        return false;
    }
    name_ = ":" + number.substr(0, number.find('\n'));
    setenv("DISPLAY", name_.c_str(), 1);
    return true;
}

bool PrivateDisplay::startWindowManager() {
    // An empty configuration through a pipe: openbox shows a dialog for one it cannot parse.
    const char config[] = "<openbox_config xmlns=\"http://openbox.org/3.4/rc\"/>";
    int fds[2] = {-1, -1};
    if (pipe(fds) == 0 && write(fds[1], config, sizeof config - 1) > 0) {
        manager_ = startChild({"openbox", "--sm-disable", "--config-file", "/dev/fd/3"},
                              ChildOutput::Silence, fds[0]);
    }
    close(fds[0]);
    close(fds[1]);
    // The manager is there once the root window names its check window.
    for (int waited = 0; waited < startMs; waited += 100) {
        ProcessResult check = runProcess({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, startMs);
        if (check.output.find("window id") != std::string::npos) {
            return true;
        }
        if (check.status == 127) {
            problem_ = "xprop is not installed (Debian package x11-utils)";
            return false;
        }
        usleep(100000);
    }
    problem_ = whyNot(&manager_, "openbox", "openbox");
    return false;
}

void PrivateDisplay::stop() {
    stopChild(&manager_);
    stopChild(&server_);
}
