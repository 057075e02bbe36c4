#include "export/FallbackTally.h"

#include <algorithm>
#include <numeric>

namespace tts::exporting {

std::vector<size_t> Fallback::byFrequency() const {
    std::vector<size_t> order(codes.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return codeRows[a] > codeRows[b]; });
    return order;
}

size_t FallbackTally::add(std::string_view code, int64_t row) {
    if (code.empty()) {
        ++target_.emptyRows;
        return kEmpty;
    }
    ++target_.rows;
    const auto [at, isNew] = seen_.add(code, target_.codes.size());
    if (isNew) {
        target_.codes.emplace_back(code);
        target_.codeRows.push_back(0);
        target_.firstRows.push_back(row);
    }
    ++target_.codeRows[at];
    return at;
}

void FallbackTally::again(size_t code) {
    if (code == kEmpty) {
        ++target_.emptyRows;
        return;
    }
    ++target_.rows;
    ++target_.codeRows[code];
}

} // namespace tts::exporting
