#include "sice/LineKind.h"

#include "sice/Field.h"

namespace tts::sice {

LineKind classifyLine(std::string_view line, std::string_view readerName) {
    if (!line.empty() && (line[0] == '0' || line[0] == '9'))
        return LineKind::HeaderOrTrailer;
    // Only a-z are raised: a name written with ñ or accents must match byte for byte.
    const std::string_view name = fieldView(line, 2, 51);
    if (name.size() != readerName.size())
        return LineKind::Data;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i] >= 'a' && name[i] <= 'z' ? static_cast<char>(name[i] - 32) : name[i];
        if (c != readerName[i])
            return LineKind::Data;
    }
    return LineKind::HeaderName;
}

} // namespace tts::sice
