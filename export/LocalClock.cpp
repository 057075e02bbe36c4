#include "export/LocalClock.h"

#include <cstdio>

namespace tts::exporting {

std::string timeStamp(const LocalDateTime& moment) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d%02d%04d%02d%02d", moment.day, moment.month, moment.year,
                  moment.hour, moment.minute);
    return text;
}

} // namespace tts::exporting
