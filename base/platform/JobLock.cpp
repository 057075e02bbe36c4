#include "base/platform/JobLock.h"

#include "base/platform/Folders.h"

namespace tts::platform {

const char* JobLock::fileName() { return ".~transTalvorSice.lock"; }

bool isTemporaryName(const std::string& name) {
    return name.size() > 2 && name.compare(0, 2, ".~") == 0 &&
           name.find(".tmp-") != std::string::npos;
}

JobLock JobLock::acquire(const std::string& folder, Outcome& outcome) {
    JobLock lock;
    SystemError error = 0;
    const std::string path = joinPath(folder, fileName());
    lock.file_ = File::open(path, Access::ReadWrite, Share::None, Disposition::OpenExisting, error);
    if (isNotFound(error))
        lock.file_ =
            File::open(path, Access::ReadWrite, Share::None, Disposition::CreateNew, error);
    if (isAlreadyExists(error)) // made by another job meanwhile
        lock.file_ =
            File::open(path, Access::ReadWrite, Share::None, Disposition::OpenExisting, error);
    if (isSharingViolation(error)) {
        outcome = Outcome::Busy;
        return lock;
    }
    if (error) {
        outcome = Outcome::Unavailable;
        return lock;
    }
    outcome = Outcome::Held;
    // No run is alive here but ours: every temporary file of ours is a dead run's.
    std::vector<std::string> names;
    if (listFolder(folder, names) == 0)
        for (const std::string& name : names)
            if (isTemporaryName(name))
                removeFile(joinPath(folder, name));
    return lock;
}

} // namespace tts::platform
