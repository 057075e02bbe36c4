#include "sice/Field.h"

#include "base/Text.h"

namespace tts::sice {

std::string rawField(std::string_view line, int first, int last) {
    return std::string(columnsOf(line, first, last));
}

std::string trimControls(std::string_view text) {
    return std::string(trimmedOfControls(text));
}

std::string field(std::string_view line, int first, int last) {
    return std::string(fieldView(line, first, last));
}

} // namespace tts::sice
