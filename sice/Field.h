#pragma once

#include "base/Text.h"

#include <string>
#include <string_view>

namespace tts::sice {

// Columns first-last (1-based, inclusive) as they stand, cut where the line ends.
inline std::string_view columnsOf(std::string_view line, int first, int last) {
    if (first < 1)
        first = 1;
    if (last < first)
        return {};
    const size_t start = static_cast<size_t>(first - 1);
    if (start >= line.size())
        return {};
    return line.substr(start, static_cast<size_t>(last - first) + 1);
}

// Columns first-last, trimmed of bytes 0-32 at both ends (0xA0 and everything from 127 up stay).
std::string field(std::string_view line, int first, int last);
// The same without a copy: a view into `line`. Inline: every data line takes a few, and with
// the columns known where it is called, little is left of it.
inline std::string_view fieldView(std::string_view line, int first, int last) {
    return trimmedOfControls(columnsOf(line, first, last));
}

// Columns first-last as they stand, without trimming.
std::string rawField(std::string_view line, int first, int last);

std::string trimControls(std::string_view text);

} // namespace tts::sice
