#pragma once

#include <string>
#include <vector>

namespace tts::platform {

long currentProcessId();

// True only when no process with this id runs any more. Any doubt (another user's process, an
// invalid id) answers false. Under Wine ids repeat across runs, so this is never the only
// sign that a run is dead: a lock the run held is the surer one.
bool processIsGone(long pid);

// The full path of the running program's own executable file; empty when the system does not
// tell.
std::string executablePath();

// The program's arguments, without its own name, in UTF-8. Windows hands `main` the ANSI code
// page's bytes, which lose every letter outside it: there they are read again from the command
// line as the system keeps it, in UTF-16.
std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace tts::platform
