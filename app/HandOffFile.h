#pragma once

#include <QString>

#include <cstdint>

namespace tts::app {

// "Horvane.ini" in the folder of the program's own executable, where the host reads the
// outcome of the job it asked for.
QString handOffFilePath();

// Writes `code` as decimal text under section "Transformadores", key "Transformado", keeping
// the rest of the file. Throws tts::Error "Unable to write to <path>" when it cannot.
void writeHandOff(const QString& path, int32_t code);

} // namespace tts::app
