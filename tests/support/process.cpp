#include "tests/support/process.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

long long monotonicMs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

int statusOf(int waitStatus) {
    if (WIFEXITED(waitStatus)) {
        return WEXITSTATUS(waitStatus);
    }
    if (WIFSIGNALED(waitStatus)) {
        return 128 + WTERMSIG(waitStatus);
    }
    return -1;
}

} // namespace

Child startChild(const std::vector<std::string> &argv, ChildOutput output, int extraFd,
                 const std::string &errorPath) {
    Child child;
    const bool captureOutput = output == ChildOutput::Capture;
    int pipeFds[2] = {-1, -1};
    if (captureOutput && pipe(pipeFds) != 0) {
        return child;
    }
    std::vector<char *> args;
    for (const std::string &arg : argv) {
        args.push_back(const_cast<char *>(arg.c_str()));
    }
    args.push_back(nullptr);
    fflush(stdout);
    fflush(stderr);
    pid_t pid = fork();
    if (pid == 0) {
        // Its own process group, so that stopping it also stops what it started.
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (output != ChildOutput::Pass) {
            dup2(captureOutput ? pipeFds[1] : open("/dev/null", O_WRONLY), STDOUT_FILENO);
        }
        if (output == ChildOutput::Silence) {
            dup2(STDOUT_FILENO, STDERR_FILENO);
        }
        if (!errorPath.empty()) {
            dup2(open(errorPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600), STDERR_FILENO);
        }
        int in = open("/dev/null", O_RDONLY);
        dup2(in, STDIN_FILENO);
        if (extraFd != -1) {
            dup2(extraFd, 3);
        }
        for (int fd = extraFd != -1 ? 4 : 3; fd < 1024; ++fd) {
            close(fd);
        }
        execvp(args[0], args.data());
        fprintf(stderr, "cannot run %s: %s\n", args[0], strerror(errno));
        _exit(127);
    }
    if (captureOutput) {
        close(pipeFds[1]);
        if (pid < 0) {
            close(pipeFds[0]);
        } else {
            child.outputFd = pipeFds[0];
        }
    }
    if (pid > 0) {
        setpgid(pid, pid);
        child.pid = pid;
    }
    return child;
}

ProcessResult finishChild(Child *child, int timeoutMs) {
    ProcessResult result;
    if (child->pid <= 0) {
        return result;
    }
    result.started = true;
    long long deadline = monotonicMs() + timeoutMs;
    int waitStatus = 0;
    bool ended = false;
    while (!ended) {
        if (child->outputFd != -1) {
            pollfd readable = {child->outputFd, POLLIN, 0};
            if (poll(&readable, 1, 20) > 0) {
                char buffer[4096];
                ssize_t got = read(child->outputFd, buffer, sizeof buffer);
                if (got > 0) {
                    result.output.append(buffer, static_cast<size_t>(got));
                    continue;
                }
                close(child->outputFd);
                child->outputFd = -1;
            }
        } else {
            usleep(20000);
        }
        ended = waitpid(child->pid, &waitStatus, WNOHANG) == child->pid;
        if (!ended && monotonicMs() > deadline) {
            fprintf(stderr, "killing a child that ran past its deadline of %d ms\n", timeoutMs);
            kill(-child->pid, SIGKILL);
            waitpid(child->pid, &waitStatus, 0);
            result.timedOut = true;
            ended = true;
        }
    }
    if (child->outputFd != -1) {
        // Whatever is left in the pipe once the child has ended.
        fcntl(child->outputFd, F_SETFL, O_NONBLOCK);
        char buffer[4096];
        ssize_t got;
        while ((got = read(child->outputFd, buffer, sizeof buffer)) > 0) {
            result.output.append(buffer, static_cast<size_t>(got));
        }
        close(child->outputFd);
        child->outputFd = -1;
    }
    result.status = statusOf(waitStatus);
    child->pid = -1;
    return result;
}

bool childEnded(Child *child, int *status) {
    int waitStatus = 0;
    if (child->pid > 0 && waitpid(child->pid, &waitStatus, WNOHANG) == child->pid) {
        *status = statusOf(waitStatus);
        child->pid = -1;
    }
    return child->pid <= 0;
}

void stopChild(Child *child) {
    if (child->pid <= 0) {
        return;
    }
    kill(-child->pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(child->pid, nullptr, WNOHANG) == child->pid) {
            child->pid = -1;
            break;
        }
        usleep(20000);
    }
    if (child->pid > 0) {
        kill(-child->pid, SIGKILL);
        waitpid(child->pid, nullptr, 0);
        child->pid = -1;
    }
    if (child->outputFd != -1) {
        close(child->outputFd);
        child->outputFd = -1;
    }
}

ProcessResult runProcess(const std::vector<std::string> &argv, int timeoutMs) {
    Child child = startChild(argv, ChildOutput::Capture);
    return finishChild(&child, timeoutMs);
}
