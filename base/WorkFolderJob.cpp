#include "base/WorkFolderJob.h"

#include "base/Error.h"
#include "base/platform/Folders.h"
#include "base/platform/ReplaceSteps.h"

namespace tts {

platform::JobLock holdWorkFolder(const std::string& workFolder) {
    platform::JobLock::Outcome outcome{};
    platform::JobLock lock = platform::JobLock::acquire(workFolder, outcome);
    if (outcome == platform::JobLock::Outcome::Busy)
        throw Error("Otra transformaci\xF3n est\xE1 usando la carpeta de trabajo \"" + workFolder +
                    "\"");
    // Without the lock another job could mix its tables with ours: nothing is changed then.
    if (outcome == platform::JobLock::Outcome::Refused) {
        std::string message =
            "No se puede usar el archivo de bloqueo de la carpeta de trabajo.\nArchivo: " +
            lock.path() + "\nMotivo: " + platform::reasonInSpanish(lock.error());
        // Nobody holds it: the leftover of a job that died, which the user can clear.
        if (platform::pathKind(lock.path()) == platform::PathKind::File) {
            const std::string owner = platform::ownerOf(lock.path());
            message += "\nEs el archivo de bloqueo que dej\xF3 una transformaci\xF3n que no "
                       "termin\xF3" +
                       (owner.empty() ? std::string() : " (de " + owner + ")") +
                       "; si no hay ninguna en marcha, se puede borrar";
        }
        throw Error(message);
    }
    // Unavailable: a missing or read-only folder, or one we may not enter, which the table layer
    // reports in its words.
    return lock;
}

} // namespace tts
