#include "export/LocalClock.h"

#include <cstdio>
#include <ctime>

namespace tts::exporting {

LocalDateTime systemLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::string timeStamp(const LocalDateTime& moment) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d%02d%04d%02d%02d", moment.day, moment.month, moment.year,
                  moment.hour, moment.minute);
    return text;
}

} // namespace tts::exporting
