#pragma once

#include <cstdint>
#include <string>

namespace tts::app {

// "Horvane.ini" in the folder of the program's own executable, where the host reads the
// outcome of the job it asked for.
std::string handOffFilePath();

// Writes `code` as decimal text under section "Transformadores", key "Transformado", keeping
// the rest of the file. `path` is in the file system's encoding. Throws tts::Error "Unable to
// write to <path>" with the system's reason on a line "Motivo: ..." when it cannot.
void writeHandOff(const std::string& path, int32_t code);

} // namespace tts::app
