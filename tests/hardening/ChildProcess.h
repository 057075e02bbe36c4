#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace tts::hardening {

// What a forked child reported through its pipe, and how it ended.
struct ChildOutcome {
    bool exitedNormally = false;
    int exitCode = -1;
    std::string report;
};

// Runs `work` in a forked child and returns its report. The child leaves through _exit, so
// nothing of the test program (its other tests, its leak check) runs twice; an exception that
// escapes `work` becomes the report "unexpected: <what>" and exit code 3.
// With `asNobody` the child first gives up root for user and group 65534: root ignores file
// permissions, so a test that a permission is refused must run as somebody else. A child of a
// test program that is not root runs as that user.
ChildOutcome runInChild(const std::function<std::string()>& work, bool asNobody = false);

// Another program holding something: a child that runs `work` (such as opening a table and
// keeping it), tells the parent it has, and then waits to be killed at destruction.
class OtherProcess {
public:
    explicit OtherProcess(const std::function<void()>& work);
    ~OtherProcess();
    OtherProcess(const OtherProcess&) = delete;
    OtherProcess& operator=(const OtherProcess&) = delete;

    bool ready() const { return ready_; } // false when the child failed before it was holding
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

} // namespace tts::hardening
