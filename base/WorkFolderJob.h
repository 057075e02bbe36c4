#pragma once

#include "base/platform/JobLock.h"

#include <string>

namespace tts {

// Holds the work folder for the whole of a job, so that two jobs never mix their tables; held
// until the returned lock goes. Taking it clears the temporary files of dead runs. A second job
// at the same time stops with "Otra transformación está usando la carpeta de trabajo "%s""
// before it changes anything; so does a job whose lock file cannot be used ("No se puede usar el
// archivo de bloqueo de la carpeta de trabajo.", the file and the reason on lines of their own,
// then, for a lock file nobody holds, whose it is and that it may be removed).
platform::JobLock holdWorkFolder(const std::string& workFolder);

} // namespace tts
