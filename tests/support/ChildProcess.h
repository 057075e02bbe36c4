#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tts::test {

struct ChildResult {
    int status = -1; // exit status; -1 when killed or never started
    std::string out;
    std::string err;
    bool timedOut = false;
};

// The one way the tests run another program, on every system: its arguments, its own
// environment changes (an empty value unsets), standard input an open pipe that nothing is
// written to, and both outputs captured.
class ChildProcess {
public:
    static ChildProcess start(const std::string& program, const std::vector<std::string>& args,
                              const std::map<std::string, std::string>& environment = {});
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    ChildProcess(const ChildProcess&) = delete;
    ~ChildProcess(); // kills a child still running

    // Waits for the end, killing the child after `timeout`; the outputs are complete then.
    ChildResult wait(std::chrono::milliseconds timeout = std::chrono::seconds(60));

private:
    ChildProcess() = default;
    struct State;
    State* state_ = nullptr;
};

ChildResult runProgram(const std::string& program, const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& environment = {},
                       std::chrono::milliseconds timeout = std::chrono::seconds(60));

// The running test program, to start again as a helper process.
std::string thisProgram();

} // namespace tts::test
