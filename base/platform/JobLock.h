#pragma once

#include "base/platform/File.h"

#include <string>

namespace tts::platform {

// One job at a time in a work folder: held from the start of a run to its end through a hidden
// lock file in the folder, locked exclusively (on Linux flock and fcntl locks; on Windows no
// sharing and a LockFileEx byte-range lock, which Wine passes on as an fcntl lock, so that the
// Linux and the Windows build exclude each other next to a host under Wine). The system drops
// the lock when the holder dies; the file it leaves is readable by all and locked read-only by
// a user who may not write it, so that whoever runs next takes it. Taking it removes whatever
// temporary files of ours lie in the folder and no living writer holds.
class JobLock {
public:
    // Busy: another job holds the folder. Unavailable: the folder is missing, may not be
    // entered, or no file may be made in it; the caller goes on and meets the folder's own
    // error in the table layer.
    // Refused: the lock file is there but cannot be used (another user's, not a plain file, a
    // disk error...): the caller stops before it changes anything; error() says why.
    enum class Outcome { Held, Busy, Unavailable, Refused };

    static JobLock acquire(const std::string& folder, Outcome& outcome);

    JobLock() = default;
    JobLock(JobLock&&) noexcept = default;
    JobLock& operator=(JobLock&& other) noexcept;
    JobLock(const JobLock&) = delete;
    ~JobLock() { release(); }

    bool held() const { return file_.isOpen(); }
    // Lets go and takes the lock file away, so that nothing of ours stays in the folder.
    void release();

    static const char* fileName();                    // ".~transTalvorSice.lock"
    const std::string& path() const { return path_; } // the lock file
    SystemError error() const { return error_; }      // why it was not held

private:
    File file_;
    std::string path_;
    SystemError error_ = 0;
};

} // namespace tts::platform
