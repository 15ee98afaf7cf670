// Runs the Windows program and the probe under Wine on a private X server, in a Wine prefix of
// the build tree's own. One session per test process; the prefix persists between them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/display.h"
#include "tests/support/process.h"

class WineSession {
  public:
    // Starts the X server and prepares the prefix. On failure ready() is false and why() says
    // what is missing; the tests then skip.
    WineSession();
    ~WineSession();
    WineSession(const WineSession &) = delete;
    WineSession &operator=(const WineSession &) = delete;

    bool ready() const { return ready_; }
    const std::string &why() const { return why_; }

    // Starts quillmere.exe and leaves it running.
    bool startProgram();
    // Runs the probe with these steps to its end and returns what it printed.
    ProcessResult probe(const std::vector<std::string> &steps, int timeoutMs = 90000);
    // Waits for the program to end and returns its exit status (-1 when it had to be killed).
    int programStatus(int timeoutMs = 30000);

    static std::string programPath();
    static std::string probePath();

  private:
    bool preparePrefix();

    bool ready_ = false;
    std::string why_;
    std::unique_ptr<PrivateDisplay> display_;
    Child program_;
};
