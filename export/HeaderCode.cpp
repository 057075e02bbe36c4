#include "export/HeaderCode.h"

#include "sice/Field.h"
#include "sice/SiceLayouts.h"

namespace tts::exporting {

std::string headerCodeFrom(sice::WholeFileLines subjectLines) {
    for (std::string_view line; subjectLines.next(line);)
        if (!line.empty() && line[0] == '0')
            return sice::rawField(line, sice::layout::Subjects::headerCode.first,
                                  sice::layout::Subjects::headerCode.last);
    return {};
}

} // namespace tts::exporting
