#pragma once

// A forked child running a piece of the test program: for the tests that need another process
// which dies holding something, is killed in the middle of a job, or runs as another user.
// POSIX only; a test that must run on Windows starts a program with ChildProcess.h instead.
#ifndef _WIN32

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>

namespace tts::test {

enum class ChildUser {
    Same,   // the user of the test program
    Nobody, // root gives itself up for user and group 65534: root ignores file permissions
};

// Gives up root for user and group 65534 and every supplementary group; a process that is not
// root stays who it is. False when giving up root failed.
bool becomeNobody();

// How a child ended, and what it told that the test did not take with nextMessage().
struct ChildOutcome {
    bool exitedNormally = false;
    int exitCode = -1; // when it exited normally
    bool killedBySignal = false;
    int signal = 0;
    std::string report;
};

// The child's end of the channel to the test.
class ChildSide {
public:
    // Sends one message; the test takes it whole with nextMessage() or in the outcome's report.
    void tell(const std::string& text);
    // Waits until the test calls release() or ends.
    void awaitRelease();

private:
    friend class ForkedChild;
    int toTest_ = -1;
    int fromTest_ = -1;
};

class ForkedChild {
public:
    static constexpr int kEscapedException = 3; // exit code; the report says "unexpected: <what>"
    static constexpr int kNotNobody = 4;        // exit code; the report says "cannot become nobody"

    // Forks a child that runs `work` and leaves through _exit with its result, so that nothing
    // of the test program (its other tests, its leak check) runs twice.
    explicit ForkedChild(const std::function<int(ChildSide&)>& work,
                         ChildUser user = ChildUser::Same);
    ~ForkedChild(); // kills and reaps a child still running
    ForkedChild(const ForkedChild&) = delete;
    ForkedChild& operator=(const ForkedChild&) = delete;

    pid_t pid() const { return pid_; }

    // The next message the child tells; "" when it ended or the time ran out without one.
    std::string nextMessage(std::chrono::milliseconds timeout = std::chrono::seconds(60));
    // Lets a child in awaitRelease() go on.
    void release();
    void kill(); // SIGKILL
    // Waits for the end; the report holds the messages not taken yet, one after the other.
    ChildOutcome wait();

private:
    bool fill(std::chrono::milliseconds timeout); // false at the end of the child's output
    bool takeMessage(std::string& message);

    pid_t pid_ = -1;
    int fromChild_ = -1;
    int toChild_ = -1;
    std::string received_;
    bool reaped_ = false;
    ChildOutcome outcome_;
};

// Runs `work` in a forked child and returns how it ended, with what `work` returned as report.
ChildOutcome runInChild(const std::function<std::string()>& work, ChildUser user = ChildUser::Same);

} // namespace tts::test

#endif
