#include "import/SlotMinutes.h"

namespace tts::import {

namespace {
int64_t minutesOfDay(int32_t hhmm) {
    const int64_t value = hhmm;
    return value / 100 * 60 + value % 100;
}
} // namespace

int64_t slotMinutes(int32_t start, int32_t end) {
    return minutesOfDay(end) - minutesOfDay(start);
}

} // namespace tts::import
