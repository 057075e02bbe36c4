#include "base/platform/Process.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <vector>

namespace tts::platform {

long currentProcessId() {
    return static_cast<long>(::getpid());
}

bool processIsGone(long pid) {
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

std::string executablePath() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length <= 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

#if defined(__GLIBC__)
// glibc gives large blocks back at once (they are mapped on their own) and trims the heap's top
// beyond a threshold that follows them: both are raised for the job, then set as they were.
KeepFreedMemory::KeepFreedMemory() {
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
}

KeepFreedMemory::~KeepFreedMemory() {
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    malloc_trim(0);
}
#else
KeepFreedMemory::KeepFreedMemory() = default;
KeepFreedMemory::~KeepFreedMemory() = default;
#endif

} // namespace tts::platform
