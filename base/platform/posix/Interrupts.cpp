#include "base/platform/Interrupts.h"

#include <csignal>

namespace tts::platform {

namespace {

constexpr int kDeferred[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kCount = sizeof kDeferred / sizeof kDeferred[0];

struct sigaction before[kCount];
struct sigaction fileSizeBefore;
volatile std::sig_atomic_t pending = 0;

void remember(int signal) {
    pending = signal;
}

} // namespace

// A handler rather than a blocked mask: every thread of the process (Qt has a few) would have to
// block them, and a handler catches the request whichever thread the system hands it to.
DeferredInterrupts::DeferredInterrupts() {
    pending = 0;
    struct sigaction deferring {};
    deferring.sa_handler = remember;
    deferring.sa_flags = SA_RESTART;
    sigfillset(&deferring.sa_mask);
    for (int i = 0; i < kCount; ++i)
        ::sigaction(kDeferred[i], &deferring, &before[i]);
    struct sigaction ignoring {};
    ignoring.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignoring, &fileSizeBefore);
}

DeferredInterrupts::~DeferredInterrupts() {
    ::sigaction(SIGXFSZ, &fileSizeBefore, nullptr);
    for (int i = 0; i < kCount; ++i)
        ::sigaction(kDeferred[i], &before[i], nullptr);
    if (const int signal = pending) {
        pending = 0;
        std::raise(signal); // as it would have been taken: by default the program ends here
    }
}

} // namespace tts::platform
