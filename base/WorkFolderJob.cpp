#include "base/WorkFolderJob.h"

#include "base/Error.h"

namespace tts {

platform::JobLock holdWorkFolder(const std::string& workFolder) {
    platform::JobLock::Outcome outcome{};
    platform::JobLock lock = platform::JobLock::acquire(workFolder, outcome);
    if (outcome == platform::JobLock::Outcome::Busy)
        throw Error("Otra transformaci\xF3n est\xE1 usando la carpeta de trabajo \"" + workFolder +
                    "\"");
    // Without the lock another job could mix its tables with ours: nothing is changed then.
    if (outcome == platform::JobLock::Outcome::Refused)
        throw Error("No se puede usar el archivo de bloqueo de la carpeta de trabajo.\nArchivo: " +
                    lock.path() + "\nMotivo: " + platform::reasonInSpanish(lock.error()));
    // Unavailable: a missing or read-only folder, which the table layer reports in its words.
    return lock;
}

} // namespace tts
