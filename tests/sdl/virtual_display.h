// An X server of the test's own: Xvfb on a free display number, for tests that open real
// windows and drive them with xdotool.
#pragma once

#include <string>
#include <sys/types.h>

class VirtualDisplay {
  public:
    VirtualDisplay() = default;
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;
    ~VirtualDisplay() { stop(); }

    // Starts Xvfb with one screen of the given size and points DISPLAY at it. False, with the
    // reason, when Xvfb is missing or does not come up.
    bool start(int width, int height, std::string *why);
    void stop();
    const std::string &name() const { return display; }

  private:
    pid_t server = -1;
    std::string display;
};

// Runs a shell command and returns what it wrote on standard output; *status gets its exit
// status (-1 when it could not run).
std::string runCommand(const std::string &command, int *status = nullptr);
