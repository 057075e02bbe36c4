#include "base/platform/ReadFault.h"

namespace tts::platform {

namespace {
std::string& failingPath() {
    static std::string path;
    return path;
}
} // namespace

void failReadsOf(const std::string& path) {
    failingPath() = path;
}

SystemError injectedReadFault(const std::string& path) {
    const std::string& failing = failingPath();
    return !failing.empty() && path == failing ? readFault() : 0;
}

} // namespace tts::platform
