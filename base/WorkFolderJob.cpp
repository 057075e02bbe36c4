#include "base/WorkFolderJob.h"

#include "base/Error.h"

namespace tts {

platform::JobLock holdWorkFolder(const std::string& workFolder) {
    platform::JobLock::Outcome outcome{};
    platform::JobLock lock = platform::JobLock::acquire(workFolder, outcome);
    if (outcome == platform::JobLock::Outcome::Busy)
        throw Error("Otra transformaci\xF3n est\xE1 usando la carpeta de trabajo \"" + workFolder +
                    "\"");
    // Unavailable: a missing or read-only folder, which the table layer reports in its words.
    return lock;
}

} // namespace tts
