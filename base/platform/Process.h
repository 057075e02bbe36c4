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

// While it lives, memory the process frees stays with it for its next allocations instead of
// going back to the system, so that a job that builds and drops one step's buffers after
// another touches new pages (a fault each) only for its largest step. At its end the memory
// goes back. Where the allocator gives no such choice it does nothing.
class KeepFreedMemory {
public:
    KeepFreedMemory();
    ~KeepFreedMemory();
    KeepFreedMemory(const KeepFreedMemory&) = delete;
    KeepFreedMemory& operator=(const KeepFreedMemory&) = delete;
};

} // namespace tts::platform
