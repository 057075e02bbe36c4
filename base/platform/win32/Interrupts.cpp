#include "base/platform/Interrupts.h"

#include <windows.h>

namespace tts::platform {

namespace {

HANDLE finished = nullptr; // set when the deferring object goes
volatile LONG interrupted = 0;

// Called on a thread of its own. Ctrl+C and Ctrl+Break are kept for later; closing the console,
// logging off and shutting down end the process as soon as this returns, so it waits until the
// work is done and then lets the next handler (the system's, which ends the process) have it.
BOOL WINAPI defer(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        ::InterlockedExchange(&interrupted, 1);
        return TRUE;
    }
    ::WaitForSingleObject(finished, INFINITE);
    return FALSE;
}

} // namespace

DeferredInterrupts::DeferredInterrupts() {
    interrupted = 0;
    if (!finished)
        finished = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ::ResetEvent(finished);
    ::SetConsoleCtrlHandler(defer, TRUE);
}

DeferredInterrupts::~DeferredInterrupts() {
    ::SetEvent(finished);
    ::SetConsoleCtrlHandler(defer, FALSE);
    // What the system does with Ctrl+C when nobody handles it.
    if (::InterlockedExchange(&interrupted, 0))
        ::ExitProcess(STATUS_CONTROL_C_EXIT);
}

} // namespace tts::platform
