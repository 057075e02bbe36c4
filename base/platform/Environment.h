#pragma once

#include <string>

namespace tts::platform {

// The value of an environment variable; empty when it is not set.
std::string environmentValue(const char* name);

// Where the host keeps its work tables when nothing says otherwise: C:\HTEMP on Windows;
// elsewhere the C: drive of the Wine prefix the host runs in ($WINEPREFIX, ~/.wine by default).
std::string hostWorkFolder();

} // namespace tts::platform
