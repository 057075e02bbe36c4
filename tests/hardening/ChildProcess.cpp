#include "ChildProcess.h"

#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <exception>

namespace tts::hardening {

namespace {

void writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return text;
        text.append(buffer, static_cast<size_t>(n));
    }
}

bool becomeNobody() {
    if (::geteuid() != 0)
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setresgid(65534, 65534, 65534) == 0 &&
           ::setresuid(65534, 65534, 65534) == 0;
}

} // namespace

ChildOutcome runInChild(const std::function<std::string()>& work, bool asNobody) {
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        int code = 0;
        std::string report;
        if (asNobody && !becomeNobody()) {
            report = "cannot become nobody";
            code = 4;
        } else {
            try {
                report = work();
            } catch (const std::exception& e) {
                report = std::string("unexpected: ") + e.what();
                code = 3;
            }
        }
        writeAll(fds[1], report);
        ::_exit(code);
    }
    ::close(fds[1]);
    ChildOutcome outcome;
    if (pid < 0) {
        ::close(fds[0]);
        return outcome;
    }
    outcome.report = readAll(fds[0]);
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    outcome.exitedNormally = WIFEXITED(status);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

OtherProcess::OtherProcess(const std::function<void()>& work) {
    int fds[2];
    if (::pipe(fds) != 0)
        return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(fds[0]);
        try {
            work();
        } catch (...) {
            ::_exit(3);
        }
        writeAll(fds[1], "r");
        for (;;)
            ::pause();
    }
    ::close(fds[1]);
    if (pid_ > 0) {
        pollfd wait{fds[0], POLLIN, 0};
        char byte = 0;
        ready_ = ::poll(&wait, 1, 20000) == 1 && ::read(fds[0], &byte, 1) == 1;
    }
    ::close(fds[0]);
}

OtherProcess::~OtherProcess() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace tts::hardening
