#pragma once

#include "base/Error.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace tts::sice::test {

// A temporary folder that also gives itself as CarpetaSice holds it: with the separator at
// the end.
class TempFolder : public tts::test::TempFolder {
public:
    std::string carpeta() const { return path() + "/"; }
};

using tts::test::readBytes;
using tts::test::writeBytes;

// The message of the tts::Error that `action` raised, or "<no error>" when it raised none.
inline std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const tts::Error& e) {
        return e.message();
    }
    return "<no error>";
}

// errorInChild's answer when the child could not set itself up (no right to change user).
inline const char* const kPrepareFailed = "<prepare failed>";

// Runs `action` in a child process, after `prepare` (which may drop privileges or lower limits
// without touching this test process), and returns the message of the tts::Error it raised,
// "<no error>" when it raised none, or "<prepare failed>".
inline std::string errorInChild(const std::function<bool()>& prepare,
                                const std::function<void()>& action) {
    int fds[2];
    if (::pipe(fds) != 0)
        return "<pipe failed>";
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string message = prepare() ? errorOf(action) : kPrepareFailed;
        ssize_t ignored = ::write(fds[1], message.data(), message.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string message;
    char buffer[512];
    ssize_t got;
    while ((got = ::read(fds[0], buffer, sizeof buffer)) > 0)
        message.append(buffer, static_cast<size_t>(got));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return message;
}

// As root, chmod does not deny anything: become "nobody" so that permissions bite.
inline bool dropToNobody() {
    if (::geteuid() != 0)
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

} // namespace tts::sice::test
