#include "base/platform/JobLock.h"

#include "base/platform/Folders.h"
#include "base/platform/ReplaceSteps.h"
#include "base/platform/TemporaryFiles.h"

#include <utility>

namespace tts::platform {

const char* JobLock::fileName() {
    return ".~transTalvorSice.lock";
}

JobLock& JobLock::operator=(JobLock&& other) noexcept {
    if (this != &other) {
        release();
        file_ = std::move(other.file_);
        path_ = std::move(other.path_);
        error_ = other.error_;
    }
    return *this;
}

void JobLock::release() {
    if (file_.isOpen())
        removeLockFile(file_, path_);
}

JobLock JobLock::acquire(const std::string& folder, Outcome& outcome) {
    JobLock lock;
    SystemError error = 0;
    bool creating = false;
    const std::string path = joinPath(folder, fileName());
    // The holder removes the file as it lets go: a lock taken on a file that has gone since is
    // worth nothing, and the next try opens the new one.
    for (int attempt = 0; attempt < 100; ++attempt) {
        creating = false;
        lock.file_ =
            File::open(path, Access::ReadWrite, Share::None, Disposition::OpenExisting, error);
        // Left by another user's job that died: the lock works as well on a read-only open.
        if (isAccessDenied(error))
            lock.file_ =
                File::open(path, Access::Read, Share::None, Disposition::OpenExisting, error);
        if (isNotFound(error)) {
            creating = true;
            lock.file_ =
                File::open(path, Access::ReadWrite, Share::None, Disposition::CreateNew, error);
            // Whoever runs next may be another user, should this job die holding it.
            if (!error)
                letEveryoneRead(lock.file_);
        }
        if (isAlreadyExists(error) || (!error && !isStillNamed(lock.file_, path))) {
            lock.file_.close();
            continue;
        }
        break;
    }
    lock.path_ = path;
    lock.error_ = error;
    if (isSharingViolation(error) ||
        // Another user's job holds a lock file that we may not open for writing.
        (!creating && isAccessDenied(error) && isHeldByAnother(path))) {
        outcome = Outcome::Busy;
        return lock;
    }
    if (error) {
        // Only the folder's own refusal lets the job go on: the table layer reports it. A folder
        // we may not look into refuses the lock file too, though nobody left one there.
        const bool folderRefuses =
            (creating && isNotFound(error)) ||
            (isAccessDenied(error) && (creating || isAccessDenied(folderListingError(folder))));
        outcome = folderRefuses ? Outcome::Unavailable : Outcome::Refused;
        return lock;
    }
    outcome = Outcome::Held;
    removeStaleTemporaries(folder);
    return lock;
}

} // namespace tts::platform
