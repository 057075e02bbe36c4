#include "base/platform/Process.h"

#include <unistd.h>

#include <vector>

namespace tts::platform {

long currentProcessId() {
    return static_cast<long>(::getpid());
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

} // namespace tts::platform
