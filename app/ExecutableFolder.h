#pragma once

#include <string>

namespace tts::app {

// The folder of the running program's own executable file, with its trailing separator; empty
// when the system does not tell.
std::string executableFolder();

} // namespace tts::app
