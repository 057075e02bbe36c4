#pragma once

#include "sice/WholeFileReader.h"

#include <string>
#include <vector>

namespace tts::exporting {

// Columns 52-59 of the first line of sice_asignat.txt that starts with "0", as they stand
// (untrimmed, shorter when the line is); empty when no line starts with "0".
std::string headerCodeFrom(sice::WholeFileLines subjectLines);

} // namespace tts::exporting
