// Running other programs from a test: a started child with a deadline, its output and status.
// Deadlines only keep a stuck child from hanging the suite; nothing is asserted about timing.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct ProcessResult {
    bool started = false;
    bool timedOut = false; // killed at the deadline
    int status = -1;       // exit status, or 128 + signal
    std::string output;    // standard output (standard error goes to the test's own)
};

// Runs argv[0] (searched in PATH) to its end or until timeoutMs have passed.
ProcessResult runProcess(const std::vector<std::string> &argv, int timeoutMs);

// A child left running while the test does other things.
struct Child {
    pid_t pid = -1;
    int outputFd = -1; // read end of its standard output, when captured
};

// Starts argv[0]; with captureOutput its standard output is kept for finishChild, otherwise it
// goes to /dev/null. extraFd, when not -1, is passed to the child as descriptor 3.
Child startChild(const std::vector<std::string> &argv, bool captureOutput, int extraFd = -1);
// Waits up to timeoutMs for the child to end; kills it (and says so) when it does not.
ProcessResult finishChild(Child *child, int timeoutMs);
// Ends a child that is still running, politely first.
void stopChild(Child *child);
