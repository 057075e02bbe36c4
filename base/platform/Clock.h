#pragma once

namespace tts::platform {

// A moment of the local calendar, to the minute.
struct LocalDateTime {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;    // 1-31
    int hour = 0;   // 0-23
    int minute = 0; // 0-59
};

LocalDateTime localNow();

} // namespace tts::platform
