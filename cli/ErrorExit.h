#pragma once

#include "base/Error.h"

#include <iosfwd>

namespace tts::cli {

// An error that ended a job: its text as the window's error handler shows it (with the full
// stop), in UTF-8 on `err`. Returns ExitError.
int errorExit(std::ostream& err, const tts::Error& error);

} // namespace tts::cli
