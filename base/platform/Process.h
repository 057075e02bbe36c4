#pragma once

#include <string>

namespace tts::platform {

long currentProcessId();

// True only when no process with this id runs any more. Any doubt (another user's process, an
// invalid id) answers false. Under Wine ids repeat across runs, so this is never the only
// sign that a run is dead: a lock the run held is the surer one.
bool processIsGone(long pid);

// The full path of the running program's own executable file; empty when the system does not
// tell.
std::string executablePath();

} // namespace tts::platform
