#include "tests/support/ForkedChild.h"

#ifndef _WIN32

#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <stdexcept>

namespace tts::test {

namespace {

void writeAll(int fd, const char* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

enum class Got { Data, End, Nothing };

// One read of what is there within `timeout`, appended to `into`.
Got readSome(int fd, std::string& into, std::chrono::milliseconds timeout) {
    pollfd ready{fd, POLLIN, 0};
    int polled;
    while ((polled = ::poll(&ready, 1, static_cast<int>(timeout.count()))) < 0 && errno == EINTR) {
    }
    if (polled <= 0)
        return Got::Nothing;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) < 0 && errno == EINTR) {
    }
    if (n <= 0)
        return Got::End;
    into.append(buffer, static_cast<size_t>(n));
    return Got::Data;
}

void closeFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

bool becomeNobody() {
    if (::geteuid() != 0)
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setresgid(65534, 65534, 65534) == 0 &&
           ::setresuid(65534, 65534, 65534) == 0;
}

void ChildSide::tell(const std::string& text) {
    // Each message goes with its length, so that texts with any bytes arrive whole.
    const auto size = static_cast<uint32_t>(text.size());
    writeAll(toTest_, reinterpret_cast<const char*>(&size), sizeof size);
    writeAll(toTest_, text.data(), text.size());
}

void ChildSide::awaitRelease() {
    char byte;
    while (::read(fromTest_, &byte, 1) < 0 && errno == EINTR) {
    }
}

ForkedChild::ForkedChild(const std::function<int(ChildSide&)>& work, ChildUser user) {
    int toTest[2], fromTest[2];
    if (::pipe(toTest) != 0)
        throw std::runtime_error("pipe failed");
    if (::pipe(fromTest) != 0) {
        ::close(toTest[0]);
        ::close(toTest[1]);
        throw std::runtime_error("pipe failed");
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(toTest[0]);
        ::close(fromTest[1]);
        ChildSide side;
        side.toTest_ = toTest[1];
        side.fromTest_ = fromTest[0];
        int code;
        if (user == ChildUser::Nobody && !becomeNobody()) {
            side.tell("cannot become nobody");
            code = kNotNobody;
        } else {
            try {
                code = work(side);
            } catch (const std::exception& e) {
                side.tell(std::string("unexpected: ") + e.what());
                code = kEscapedException;
            } catch (...) {
                side.tell("unexpected: an exception that is not a std::exception");
                code = kEscapedException;
            }
        }
        ::_exit(code);
    }
    ::close(toTest[1]);
    ::close(fromTest[0]);
    fromChild_ = toTest[0];
    toChild_ = fromTest[1];
    if (pid_ < 0) {
        closeFd(fromChild_);
        closeFd(toChild_);
        throw std::runtime_error("fork failed");
    }
}

ForkedChild::~ForkedChild() {
    if (!reaped_) {
        kill();
        wait();
    }
    closeFd(fromChild_);
    closeFd(toChild_);
}

bool ForkedChild::takeMessage(std::string& message) {
    uint32_t size = 0;
    if (received_.size() < sizeof size)
        return false;
    std::memcpy(&size, received_.data(), sizeof size);
    if (received_.size() < sizeof size + size)
        return false;
    message = received_.substr(sizeof size, size);
    received_.erase(0, sizeof size + size);
    return true;
}

std::string ForkedChild::nextMessage(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string message;
    while (!takeMessage(message)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (fromChild_ < 0 || left.count() <= 0 ||
            readSome(fromChild_, received_, left) != Got::Data)
            return "";
    }
    return message;
}

void ForkedChild::release() {
    if (toChild_ < 0)
        return;
    // A byte as well as the end: a sibling child may hold a copy of this end open. A child that
    // has already left must not take the test program down with SIGPIPE.
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &previous);
    writeAll(toChild_, "r", 1);
    ::sigaction(SIGPIPE, &previous, nullptr);
    closeFd(toChild_);
}

void ForkedChild::kill() {
    if (!reaped_ && pid_ > 0)
        ::kill(pid_, SIGKILL);
}

ChildOutcome ForkedChild::wait() {
    if (reaped_)
        return outcome_;
    // The output is read while waiting, so that a child telling much never blocks; and the
    // end of the child, not of its output, ends the wait (a sibling may hold the pipe open).
    int status = 0;
    for (;;) {
        if (fromChild_ >= 0) {
            const Got got = readSome(fromChild_, received_, std::chrono::milliseconds(20));
            if (got == Got::Data)
                continue;
            if (got == Got::End)
                closeFd(fromChild_);
        }
        const pid_t done = ::waitpid(pid_, &status, fromChild_ >= 0 ? WNOHANG : 0);
        if (done == pid_)
            break;
        if (done < 0 && errno != EINTR)
            break;
    }
    while (fromChild_ >= 0 &&
           readSome(fromChild_, received_, std::chrono::milliseconds(0)) == Got::Data) {
    }
    reaped_ = true;
    outcome_.exitedNormally = WIFEXITED(status);
    outcome_.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome_.killedBySignal = WIFSIGNALED(status);
    outcome_.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    std::string message;
    while (takeMessage(message))
        outcome_.report += message;
    closeFd(fromChild_);
    closeFd(toChild_);
    return outcome_;
}

ChildOutcome runInChild(const std::function<std::string()>& work, ChildUser user) {
    ForkedChild child(
        [&](ChildSide& side) {
            side.tell(work());
            return 0;
        },
        user);
    return child.wait();
}

} // namespace tts::test

#endif
