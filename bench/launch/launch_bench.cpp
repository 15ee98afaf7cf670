// Time from launching a program to its board window showing painted, over repeated launches:
// each run starts the program, waits until a top-level window titled "Quillmere" is mapped and
// its pixels are no longer one plain colour, then ends the program. Several programs are
// launched in turn, round after round, so that they share the machine's conditions.
//
//   xvfb-run -a launch_bench [--runs N] program...
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

const char *const boardTitle = "Quillmere";
const double timeoutMs = 10000;

double nowMs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

bool isBoard(Display *display, Window window) {
    char *name = nullptr;
    bool board = XFetchName(display, window, &name) && name && strcmp(name, boardTitle) == 0;
    if (name)
        XFree(name);
    return board;
}

// Painted: a row through the middle of the window holds more than two colours.
bool painted(Display *display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    XImage *image = XGetImage(display, window, 0, attributes.height / 2, attributes.width, 1,
                              AllPlanes, ZPixmap);
    if (!image)
        return false;
    std::set<unsigned long> colours;
    for (int x = 0; x < attributes.width && colours.size() < 3; ++x)
        colours.insert(XGetPixel(image, x, 0));
    XDestroyImage(image);
    return colours.size() >= 3;
}

int errorsSeen = 0;
int ignoreError(Display *, XErrorEvent *) {
    ++errorsSeen; // a window that went away between the event and the look at it
    return 0;
}

// One launch: milliseconds until the board showed painted, or a negative number on failure.
double launchOnce(Display *display, const char *program) {
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True); // drops what earlier runs left
    double start = nowMs();
    pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        fprintf(stderr, "launch_bench: cannot start %s: %s\n", program, strerror(errno));
        _exit(127);
    }
    std::vector<Window> candidates;
    Window board = 0;
    double result = -1;
    while (nowMs() - start < timeoutMs) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify)
                candidates.push_back(event.xmap.window);
        }
        for (Window window : candidates)
            if (!board && isBoard(display, window))
                board = window;
        candidates.clear();
        if (board && painted(display, board)) {
            result = nowMs() - start;
            break;
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            fprintf(stderr, "launch_bench: %s ended (status %d) before its board showed\n", program,
                    WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
            return -1;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 1);
    }
    if (result < 0)
        fprintf(stderr, "launch_bench: %s showed no painted board within %.0f ms\n", program,
                timeoutMs);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XSelectInput(display, root, 0);
    return result;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv) {
    int runs = 20;
    std::vector<const char *> programs;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            char *end = nullptr;
            long n = strtol(argv[++i], &end, 10);
            if (!end || *end || n < 1 || n > 10000) {
                fprintf(stderr,
                        "launch_bench: argument %d: --runs wants a count from 1 to 10000, "
                        "not \"%s\"\n",
                        i, argv[i]);
                return 2;
            }
            runs = int(n);
        } else if (argv[i][0] == '-') {
            fprintf(stderr, "launch_bench: argument %d: unknown option \"%s\"\n", i, argv[i]);
            return 2;
        } else if (access(argv[i], X_OK) != 0) {
            fprintf(stderr, "launch_bench: argument %d: \"%s\" is not an executable program\n", i,
                    argv[i]);
            return 2;
        } else {
            programs.push_back(argv[i]);
        }
    }
    if (programs.empty()) {
        fprintf(stderr, "usage: xvfb-run -a launch_bench [--runs N] program...\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        fprintf(stderr, "launch_bench: cannot open the X display \"%s\"\n",
                getenv("DISPLAY") ? getenv("DISPLAY") : "(DISPLAY not set)");
        return 2;
    }
    XSetErrorHandler(ignoreError);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::vector<std::vector<double>> times(programs.size());
    // One launch of each first, not counted: the programs' files come into the page cache.
    for (const char *program : programs)
        if (launchOnce(display, program) < 0)
            return 1;
    for (int round = 0; round < runs; ++round)
        for (size_t p = 0; p < programs.size(); ++p) {
            double ms = launchOnce(display, programs[p]);
            if (ms < 0)
                return 1;
            times[p].push_back(ms);
        }
    for (size_t p = 0; p < programs.size(); ++p) {
        auto [least, most] = std::minmax_element(times[p].begin(), times[p].end());
        printf("%s: median %.1f ms, min %.1f, max %.1f over %d launches\n", programs[p],
               median(times[p]), *least, *most, runs);
    }
    XCloseDisplay(display);
    return 0;
}
