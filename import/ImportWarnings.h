#pragma once

#include "import/ImportRun.h"

#include <string>
#include <vector>

namespace tts::import {

// What the user should know about a finished run, from the facts its steps recorded: repeated
// codes left out (by file), files left aside for a name that differs only in letter case, tables
// rebuilt empty from a file without data lines, and GRUPOST kept from before. One line each, in
// plain Spanish (Windows-1252).
std::vector<std::string> importWarnings(const ImportReport& report);

} // namespace tts::import
