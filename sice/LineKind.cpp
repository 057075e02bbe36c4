#include "sice/LineKind.h"

#include "base/CaseTable.h"
#include "sice/Field.h"

namespace tts::sice {

LineKind classifyLine(std::string_view line, std::string_view readerName) {
    if (!line.empty() && (line[0] == '0' || line[0] == '9'))
        return LineKind::HeaderOrTrailer;
    // Only a-z are raised: a name written with ñ or accents must match byte for byte. Most data
    // lines differ in length already, and are never copied.
    const std::string_view name = fieldView(line, 2, 51);
    if (name.size() != readerName.size() || upperAsciiOnly(name) != readerName)
        return LineKind::Data;
    return LineKind::HeaderName;
}

} // namespace tts::sice
