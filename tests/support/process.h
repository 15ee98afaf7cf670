// Running other programs from a test: a started child with a deadline, its output and status.
// Deadlines only keep a stuck child from hanging the suite; nothing is asserted about timing.
// A child dies with the thread that started it, so nothing outlives a test that crashes.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct ProcessResult {
    bool started = false;
    bool timedOut = false; // killed at the deadline
    int status = -1;       // exit status, or 128 + signal
    std::string output;    // standard output when captured (standard error goes to the test's)
};

// Runs argv[0] (searched in PATH) to its end or until timeoutMs have passed, keeping its output.
ProcessResult runProcess(const std::vector<std::string> &argv, int timeoutMs);

// A child left running while the test does other things.
struct Child {
    pid_t pid = -1;
    int outputFd = -1; // read end of its standard output, when captured
};

// Where a started child's standard output goes: nowhere, into a pipe for finishChild, or to the
// test's own; Silence sends its standard error nowhere too.
enum class ChildOutput { Discard, Capture, Pass, Silence };

// Starts argv[0]. extraFd, when not -1, is passed to the child as descriptor 3; errorPath, when
// given, is the file its standard error is appended to.
Child startChild(const std::vector<std::string> &argv, ChildOutput output = ChildOutput::Discard,
                 int extraFd = -1, const std::string &errorPath = {});
// Whether the child has ended (a zombie counts, and is reaped): the first time it is seen so,
// status gets its exit status, or 128 + signal.
bool childEnded(Child *child, int *status);
// Waits up to timeoutMs for the child to end; kills it (and says so) when it does not.
ProcessResult finishChild(Child *child, int timeoutMs);
// Ends a child that is still running, politely first.
void stopChild(Child *child);
