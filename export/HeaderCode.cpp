#include "export/HeaderCode.h"

#include "sice/Field.h"

namespace tts::exporting {

std::string headerCodeFrom(const std::vector<std::string>& subjectLines) {
    for (const std::string& line : subjectLines)
        if (!line.empty() && line[0] == '0')
            return sice::rawField(line, 52, 59);
    return {};
}

} // namespace tts::exporting
