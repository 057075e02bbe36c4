#pragma once

// The running process itself: which one it is, and where its program lies.

#include <string>

namespace tts::platform {

long currentProcessId();

// The full path of the running program's own executable file; empty when the system does not
// tell.
std::string executablePath();

} // namespace tts::platform
