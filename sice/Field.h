#pragma once

#include <string>
#include <string_view>

namespace tts::sice {

// Columns first-last (1-based, inclusive), cut at the end of the line, trimmed of bytes 0-32 at
// both ends (0xA0 and everything from 127 up stay).
std::string field(std::string_view line, int first, int last);
// The same without a copy: a view into `line`.
std::string_view fieldView(std::string_view line, int first, int last);

// Columns first-last as they stand, without trimming.
std::string rawField(std::string_view line, int first, int last);

std::string trimControls(std::string_view text);

} // namespace tts::sice
