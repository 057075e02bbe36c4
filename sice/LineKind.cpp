#include "sice/LineKind.h"

#include "base/CaseTable.h"
#include "sice/Field.h"

namespace tts::sice {

LineKind classifyLine(std::string_view line, std::string_view readerName) {
    if (!line.empty() && (line[0] == '0' || line[0] == '9'))
        return LineKind::HeaderOrTrailer;
    // Only a-z are raised: a name written with ñ or accents must match byte for byte.
    if (upperAsciiOnly(field(line, 2, 51)) == readerName)
        return LineKind::HeaderName;
    return LineKind::Data;
}

} // namespace tts::sice
