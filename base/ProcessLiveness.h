#pragma once

#include "base/platform/Process.h"

namespace tts {

// Kept for the work-table layer until it moves onto the platform layer.
inline bool processIsGone(long pid) { return platform::processIsGone(pid); }

} // namespace tts
