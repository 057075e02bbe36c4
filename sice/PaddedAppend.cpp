#include "sice/PaddedAppend.h"

#include <algorithm>
#include <cstring>

namespace tts::sice {

namespace {

// SICE lines were always padded from a fixed run of spaces; a field never gets more than that.
constexpr size_t kMaxPadding = 95;

size_t paddingOf(std::string_view value, int width) {
    if (width <= 0 || value.size() >= static_cast<size_t>(width))
        return 0;
    return std::min(static_cast<size_t>(width) - value.size(), kMaxPadding);
}

} // namespace

void appendPadded(std::string& line, std::string_view value, int width) {
    line.append(value);
    line.append(paddingOf(value, width), ' ');
}

size_t paddedSize(std::string_view value, int width) {
    return value.size() + paddingOf(value, width);
}

char* writePadded(char* at, std::string_view value, int width) {
    if (!value.empty())
        std::memcpy(at, value.data(), value.size());
    at += value.size();
    const size_t padding = paddingOf(value, width);
    std::memset(at, ' ', padding);
    return at + padding;
}

} // namespace tts::sice
