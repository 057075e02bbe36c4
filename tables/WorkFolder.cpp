#include "tables/WorkFolder.h"

#include "base/platform/Environment.h"

namespace tts::tables {

std::string workFolder() {
    std::string overridden = platform::environmentValue("HTEMP");
    return overridden.empty() ? platform::hostWorkFolder() : overridden;
}

} // namespace tts::tables
