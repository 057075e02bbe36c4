#pragma once

#include <string>

namespace tts::sice {

// Reads the whole file into `bytes` with as few reads as the system allows (one, for a plain
// file), so that the readers never go to the system byte by byte. Returns 0, or the errno of the
// failure; a folder gives EISDIR. The file is open only inside this call.
int readFileBytes(const std::string& path, std::string& bytes);

} // namespace tts::sice
