#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tts::sice {

// Whole-file reading: CR LF, LF and CR each end a line, LF CR gives an empty line, NUL ends the
// text, Ctrl-Z is a character. Open failures raise "Cannot open file "%s". %s".
std::vector<std::string> readWholeFile(const std::string& path);
std::vector<std::string> splitWholeFile(std::string_view bytes);

} // namespace tts::sice
