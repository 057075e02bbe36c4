#include "export/LocalClock.h"

#include "base/platform/Clock.h"

#include <cstdio>

namespace tts::exporting {

LocalDateTime systemLocalTime() {
    const platform::LocalDateTime now = platform::localNow();
    return {now.year, now.month, now.day, now.hour, now.minute};
}

std::string timeStamp(const LocalDateTime& moment) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d%02d%04d%02d%02d", moment.day, moment.month, moment.year,
                  moment.hour, moment.minute);
    return text;
}

} // namespace tts::exporting
