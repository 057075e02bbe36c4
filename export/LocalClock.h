#pragma once

#include <functional>
#include <string>

namespace tts::exporting {

// A moment of the local calendar, to the minute, as the time stamps of SICE_HORARIO.TXT need it.
struct LocalDateTime {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;    // 1-31
    int hour = 0;   // 0-23
    int minute = 0; // 0-59
};

// Asked once for the header and once again for the trailer; tests give a fixed or a stepping one.
using LocalClock = std::function<LocalDateTime()>;

// The machine's local date and time now.
LocalDateTime systemLocalTime();

// "ddmmyyyyhhnn": day, month, four-digit year, hour and minute, each with leading zeros.
std::string timeStamp(const LocalDateTime& moment);

} // namespace tts::exporting
