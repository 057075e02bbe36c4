#include "sice/Field.h"

#include "base/Text.h"

namespace tts::sice {

namespace {

// Columns first-last of the line, cut where the line ends.
std::string_view columns(std::string_view line, int first, int last) {
    if (first < 1)
        first = 1;
    if (last < first)
        return {};
    const size_t start = static_cast<size_t>(first - 1);
    if (start >= line.size())
        return {};
    return line.substr(start, static_cast<size_t>(last - first) + 1);
}

} // namespace

std::string rawField(std::string_view line, int first, int last) {
    return std::string(columns(line, first, last));
}

std::string trimControls(std::string_view text) {
    return std::string(trimmedOfControls(text));
}

std::string field(std::string_view line, int first, int last) {
    return std::string(fieldView(line, first, last));
}

} // namespace tts::sice
