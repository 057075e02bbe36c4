#include "export/HeaderCode.h"

#include "sice/Field.h"

namespace tts::exporting {

std::string headerCodeFrom(sice::WholeFileLines subjectLines) {
    for (std::string_view line; subjectLines.next(line);)
        if (!line.empty() && line[0] == '0')
            return sice::rawField(line, 52, 59);
    return {};
}

} // namespace tts::exporting
