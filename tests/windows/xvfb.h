// A private X server for tests that show windows: Xvfb on a display it picks itself.
#pragma once

#include <string>

#include "tests/windows/process.h"

class VirtualDisplay {
  public:
    // Starts Xvfb (the program at xvfbPath); started() tells whether it came up.
    explicit VirtualDisplay(const std::string &xvfbPath);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    bool started() const { return !name_.empty(); }
    // ":N", for DISPLAY.
    const std::string &name() const { return name_; }

  private:
    Child server_;
    std::string name_;
};
