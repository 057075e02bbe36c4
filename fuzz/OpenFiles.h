#pragma once

#include <filesystem>
#include <system_error>

namespace tts::fuzz {

// How many file descriptors the process holds: a job that stops on an error must not leave
// tables or files open behind it, since the window lives on and may run the job again.
inline int openFileCount() {
    int count = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it("/proc/self/fd", ec), end; !ec && it != end;
         it.increment(ec))
        ++count;
    return count;
}

} // namespace tts::fuzz
