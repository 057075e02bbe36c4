#include "base/platform/FaultInjection.h"

#include <utility>

namespace tts::platform {

namespace {
struct Faults {
    std::string failingPath;
    SystemError readError = 0;
    WriteBytes writer;
};
Faults& faults() {
    static Faults injected;
    return injected;
}
} // namespace

void failReadsOf(const std::string& path, SystemError error) {
    faults().failingPath = path;
    faults().readError = error;
}

SystemError injectedReadFault(const std::string& path) {
    const Faults& injected = faults();
    return !injected.failingPath.empty() && path == injected.failingPath ? injected.readError : 0;
}

InjectedWrites::InjectedWrites(WriteBytes writer) {
    faults().writer = std::move(writer);
}

InjectedWrites::~InjectedWrites() {
    faults().writer = nullptr;
}

const WriteBytes& injectedWriter() {
    return faults().writer;
}

} // namespace tts::platform
