#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tts {

// How many codes a warning names; the rest are counted ("y 4 más"), so that the window's message
// stays a few short lines however many codes went wrong.
inline constexpr size_t kCodesNamed = 3;

// "'A', 'B', 'C' y 4 más": the first kCodesNamed of `codes`, quoted so that a code with blanks
// stays visible, then how many of `total` were left unnamed.
inline std::string namedCodes(const std::vector<std::string>& codes, int64_t total) {
    std::string text;
    size_t named = 0;
    for (; named < codes.size() && named < kCodesNamed; ++named)
        text += (named == 0 ? "'" : ", '") + codes[named] + "'";
    if (total > static_cast<int64_t>(named))
        text += " y " + std::to_string(total - static_cast<int64_t>(named)) + " m\xE1s";
    return text;
}

} // namespace tts
