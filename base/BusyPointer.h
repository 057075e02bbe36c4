#pragma once

#include "base/RunHost.h"

namespace tts {

// The hourglass from the start of a job's work to its end, also when an error stops it halfway:
// a stopped job must not leave the user looking at a busy pointer, and its error is shown
// without it.
class BusyPointer {
public:
    explicit BusyPointer(RunHost& host) : host_(host) { host_.setBusy(true); }
    ~BusyPointer() { restore(); }
    // Before the job's closing notice, which the user reads with the ordinary pointer.
    void restore() {
        if (busy_) {
            busy_ = false;
            host_.setBusy(false);
        }
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    RunHost& host_;
    bool busy_ = true;
};

} // namespace tts
