#include "base/platform/Clock.h"

#include <windows.h>

namespace tts::platform {

LocalDateTime localNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

} // namespace tts::platform
