#pragma once

#include <string>

namespace tts {

// How the top-level handler shows an error: the text plus a full stop, unless it is empty or
// already ends in "." or a byte below it.
std::string withFullStop(const std::string& text);

} // namespace tts
