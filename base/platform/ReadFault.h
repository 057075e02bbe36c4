#pragma once

#include "base/platform/SystemError.h"

#include <string>

namespace tts::platform {

// A disk that fails to read cannot be had on demand, so the tests name one file whose reads
// fail as a bad sector makes them fail: every read of it gives `error` (readFault() unless
// said otherwise; sharingViolation() stands for another program that holds the file where
// Linux has no such thing). Nothing but tests sets it; an empty path ends it.
void failReadsOf(const std::string& path, SystemError error = readFault());

// The error given for the file named by failReadsOf, else 0.
SystemError injectedReadFault(const std::string& path);

} // namespace tts::platform
