#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tts::sice {

// SICE lines were always padded from a fixed run of spaces; a field never gets more than that.
inline constexpr size_t kMaxPadding = 95;

// The spaces that follow `value` in a field of `width`.
inline size_t paddingOf(std::string_view value, int width) {
    if (width <= 0 || value.size() >= static_cast<size_t>(width))
        return 0;
    return std::min(static_cast<size_t>(width) - value.size(), kMaxPadding);
}

// The value, then spaces up to `width`; never cut, at most 95 spaces added.
void appendPadded(std::string& line, std::string_view value, int width);

// The same in two halves, for a line built in place: how many bytes the padded value takes, and
// writing them at `at`, which returns where the next field goes. In the header, byte by byte: a
// field is a few bytes, fewer than a call to copy them would cost.
inline size_t paddedSize(std::string_view value, int width) {
    return value.size() + paddingOf(value, width);
}
inline char* writePadded(char* at, std::string_view value, int width) {
    for (const char c : value)
        *at++ = c;
    for (size_t spaces = paddingOf(value, width); spaces > 0; --spaces)
        *at++ = ' ';
    return at;
}

} // namespace tts::sice
