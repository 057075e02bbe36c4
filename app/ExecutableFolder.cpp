#include "app/ExecutableFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <vector>

namespace tts::app {

namespace {

std::string executablePath() {
    std::vector<char> buffer(4096);
    for (;;) {
#ifdef _WIN32
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::string(buffer.data(), length);
#else
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length <= 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
#endif
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

std::string executableFolder() {
    const std::string path = executablePath();
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

} // namespace tts::app
