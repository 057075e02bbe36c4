#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tts::sice {

// The value, then spaces up to `width`; never cut, at most 95 spaces added.
void appendPadded(std::string& line, std::string_view value, int width);

// The same in two halves, for a line built in place: how many bytes the padded value takes, and
// writing them at `at`, which returns where the next field goes.
size_t paddedSize(std::string_view value, int width);
char* writePadded(char* at, std::string_view value, int width);

} // namespace tts::sice
