#include "tests/windows/xvfb.h"

#include <poll.h>
#include <unistd.h>

namespace {

const int startMs = 20000;

} // namespace

VirtualDisplay::VirtualDisplay(const std::string &xvfbPath) {
    if (access(xvfbPath.c_str(), X_OK) != 0) {
        return;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    // -displayfd: the server picks a free display and writes its number to descriptor 3.
    server_ = startChild({xvfbPath, "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten",
                          "tcp", "-noreset"},
                         false, fds[1]);
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
        stopChild(&server_);
        return;
    }
    name_ = ":" + number.substr(0, number.find('\n'));
}

VirtualDisplay::~VirtualDisplay() {
    stopChild(&server_);
}
