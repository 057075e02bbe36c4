#include "base/platform/ReadFault.h"

namespace tts::platform {

namespace {
struct Failing {
    std::string path;
    SystemError error = 0;
};
Failing& failing() {
    static Failing files;
    return files;
}
} // namespace

void failReadsOf(const std::string& path, SystemError error) {
    failing() = {path, error};
}

SystemError injectedReadFault(const std::string& path) {
    const Failing& files = failing();
    return !files.path.empty() && path == files.path ? files.error : 0;
}

} // namespace tts::platform
