#include "export/FallbackTally.h"

namespace tts::exporting {

void FallbackTally::add(const std::string& code) {
    if (code.empty()) {
        ++target_.emptyRows;
        return;
    }
    ++target_.rows;
    auto [at, isNew] = seen_.emplace(code, target_.codes.size());
    if (isNew) {
        target_.codes.push_back(code);
        target_.codeRows.push_back(0);
    }
    ++target_.codeRows[at->second];
}

} // namespace tts::exporting
