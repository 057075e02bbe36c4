#include "sice/LineKind.h"

namespace tts::sice {

LineKind classifyLine(std::string_view line, std::string_view readerName) {
    if (!line.empty() && (line[0] == '0' || line[0] == '9'))
        return LineKind::HeaderOrTrailer;
    // Columns 2-51 trimmed equal the name with only a-z raised (a name written with ñ or accents
    // must match byte for byte). Compared in place, blanks, name, blanks: every data line comes
    // here, and nearly all differ within the first bytes of the name.
    const std::string_view columns = line.size() > 1 ? line.substr(1, 50) : std::string_view();
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    size_t at = 0;
    while (at < columns.size() && isBlank(columns[at]))
        ++at;
    if (columns.size() - at < readerName.size())
        return LineKind::Data;
    for (const char expected : readerName) {
        const char c = columns[at++];
        if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != expected)
            return LineKind::Data;
    }
    for (; at < columns.size(); ++at)
        if (!isBlank(columns[at]))
            return LineKind::Data;
    return LineKind::HeaderName;
}

} // namespace tts::sice
