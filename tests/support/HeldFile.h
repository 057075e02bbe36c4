#pragma once

#include "tests/support/ChildProcess.h"
#include "tests/support/FileBytes.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace tts::test {

// Another process that holds a file until this object goes: the test program itself started
// again as the helper of tests/support/FileHolder.cpp, which must be linked in. `mode`:
// "exclusive" (opened without sharing, as a Windows program does), or on Linux "flock",
// "fcntl" or "ofd" (a lock of that kind).
class HeldFile {
public:
    HeldFile(const std::string& path, const std::string& mode)
        : ready_(path + ".ready"), release_(path + ".release"),
          child_(ChildProcess::start(thisProgram(), {},
                                     {{"TTS_HOLD_FILE", path}, {"TTS_HOLD_MODE", mode}})) {
        for (int i = 0; i < 500 && !std::filesystem::exists(ready_); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ~HeldFile() {
        writeBytes(release_, "");
        child_.wait();
        std::error_code ignored;
        std::filesystem::remove(ready_, ignored);
        std::filesystem::remove(release_, ignored);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool ready() const { return std::filesystem::exists(ready_); }

private:
    std::string ready_, release_;
    ChildProcess child_;
};

} // namespace tts::test
