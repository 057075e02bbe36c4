#include "sice/PaddedAppend.h"

#include <algorithm>

namespace tts::sice {

namespace {

// SICE lines were always padded from a fixed run of spaces; a field never gets more than that.
constexpr size_t kMaxPadding = 95;

} // namespace

void appendPadded(std::string& line, std::string_view value, int width) {
    line.append(value);
    if (width > 0 && value.size() < static_cast<size_t>(width))
        line.append(std::min(static_cast<size_t>(width) - value.size(), kMaxPadding), ' ');
}

} // namespace tts::sice
