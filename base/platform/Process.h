#pragma once

#include <string>

// The running process itself: which one it is, and where its program lies.
namespace tts::platform {

long currentProcessId();

// The full path of the running program's own executable file; empty when the system does not
// tell.
std::string executablePath();

// The heap as a job wants it, while this lives: memory the job frees stays with the process for
// its next step instead of going back to the system, and the heap grows once by a large step
// over which the system is asked for huge pages. A job touches megabytes of fresh memory (file
// bytes, blocks of records, indexes), and a fault per 4 KB page costs more than the work done in
// it. At its end the memory goes back. Where the allocator or the system offers neither, it does
// nothing.
class JobMemory {
public:
    JobMemory();
    ~JobMemory();
    JobMemory(const JobMemory&) = delete;
    JobMemory& operator=(const JobMemory&) = delete;
};

} // namespace tts::platform
