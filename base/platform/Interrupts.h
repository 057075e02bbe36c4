#pragma once

namespace tts::platform {

// While one lives, whatever asks the program to stop from outside waits: Ctrl+C, a termination
// request and a hang-up on POSIX (a write past the file size limit fails instead of ending the
// program), the console's Ctrl+C, Ctrl+Break and close events on Windows. Such a request takes
// effect, as it would have, when the object goes: a file being rewritten where it stands is
// whole by then. Only the thread that does the work makes one; they do not nest.
class DeferredInterrupts {
public:
    DeferredInterrupts();
    ~DeferredInterrupts();
    DeferredInterrupts(const DeferredInterrupts&) = delete;
    DeferredInterrupts& operator=(const DeferredInterrupts&) = delete;
};

} // namespace tts::platform
