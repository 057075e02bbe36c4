#pragma once

#include "base/platform/Clock.h"

#include <functional>
#include <string>

namespace tts::exporting {

// The clock the export stamps SICE_HORARIO.TXT with.
using platform::LocalDateTime;

// Asked once for the header and once again for the trailer: the machine's (platform::localNow);
// tests give a fixed or a stepping one.
using LocalClock = std::function<LocalDateTime()>;

// "ddmmyyyyhhnn": day, month, four-digit year, hour and minute, each with leading zeros.
std::string timeStamp(const LocalDateTime& moment);

} // namespace tts::exporting
