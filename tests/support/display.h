// A private X server for tests that show windows: Xvfb on a display number it picks itself,
// with openbox managing the windows when asked. DISPLAY names it while it runs.
#pragma once

#include <string>

#include "tests/support/process.h"

class PrivateDisplay {
  public:
    PrivateDisplay(int width, int height, bool windowManager = false);
    ~PrivateDisplay() { stop(); }
    PrivateDisplay(const PrivateDisplay &) = delete;
    PrivateDisplay &operator=(const PrivateDisplay &) = delete;

    bool started() const { return problem_.empty(); }
    // Why it did not start (a program missing, or not coming up); empty when it runs.
    const std::string &problem() const { return problem_; }
    // ":N", for DISPLAY.
    const std::string &name() const { return name_; }
    void stop();

  private:
    bool startServer(int width, int height);
    bool startWindowManager();

    Child server_, manager_;
    std::string name_, problem_;
};
