#pragma once

#include <string>

namespace tts::cli {

// A path as given on the command line or by the system, for the terminal or a JSON report:
// kept when it is already UTF-8, else read as Windows-1252.
std::string pathForDisplay(const std::string& path);

} // namespace tts::cli
