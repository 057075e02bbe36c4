#include "base/ErrorText.h"

namespace tts {

std::string withFullStop(const std::string& text) {
    if (text.empty() || static_cast<unsigned char>(text.back()) <= '.')
        return text;
    return text + ".";
}

} // namespace tts
