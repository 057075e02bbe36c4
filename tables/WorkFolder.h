#pragma once

#include <string>

namespace tts::tables {

// C:\HTEMP on Windows; elsewhere $WINEPREFIX/drive_c/HTEMP (prefix ~/.wine by default), where a
// Windows host running under Wine keeps it. The HTEMP environment variable overrides both.
std::string workFolder();

} // namespace tts::tables
