#include "sice/PaddedAppend.h"

namespace tts::sice {

void appendPadded(std::string& line, std::string_view value, int width) {
    line.append(value);
    line.append(paddingOf(value, width), ' ');
}

} // namespace tts::sice
