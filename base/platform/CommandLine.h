#pragma once

#include <string>
#include <vector>

namespace tts::platform {

// The program's arguments, without its own name, in UTF-8. Windows hands `main` the ANSI code
// page's bytes, which lose every letter outside it: there they are read again from the command
// line as the system keeps it, in UTF-16.
std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace tts::platform
