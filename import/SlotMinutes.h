#pragma once

#include <cstdint>

namespace tts::import {

// Length of a time slot whose start and end are written as hours and minutes (HHMM read as a
// whole number): 0800 to 0850 is 50, 0830 to 1025 is 115. Negative when it ends before it
// starts.
int64_t slotMinutes(int32_t start, int32_t end);

} // namespace tts::import
