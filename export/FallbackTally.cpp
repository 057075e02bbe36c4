#include "export/FallbackTally.h"

namespace tts::exporting {

void FallbackTally::add(const std::string& code) {
    ++target_.rows;
    if (seen_.insert(code).second)
        target_.codes.push_back(code);
}

} // namespace tts::exporting
