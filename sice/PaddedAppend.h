#pragma once

#include <string>
#include <string_view>

namespace tts::sice {

// The value, then spaces up to `width`; never cut, at most 95 spaces added.
void appendPadded(std::string& line, std::string_view value, int width);

} // namespace tts::sice
