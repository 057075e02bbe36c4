#pragma once

#include "base/platform/File.h"

#include <string>

namespace tts::platform {

// One job at a time in a work folder: held from the start of a run to its end through a hidden
// lock file in the folder, locked exclusively. The system drops the lock when the holder dies,
// so a lock that can be taken proves that no run is alive in the folder: whatever temporary
// files of ours lie there are leftovers of dead runs, and taking the lock removes them.
class JobLock {
public:
    enum class Outcome { Held, Busy, Unavailable };

    // Busy: another job holds the folder. Unavailable: the lock file cannot be made (a missing
    // or read-only folder); the caller goes on and meets the folder's own error later.
    static JobLock acquire(const std::string& folder, Outcome& outcome);

    JobLock() = default;
    JobLock(JobLock&&) noexcept = default;
    JobLock& operator=(JobLock&& other) noexcept;
    JobLock(const JobLock&) = delete;
    ~JobLock() { release(); }

    bool held() const { return file_.isOpen(); }
    // Lets go and takes the lock file away, so that nothing of ours stays in the folder.
    void release();

    static const char* fileName(); // ".~transTalvorSice.lock"

private:
    File file_;
    std::string path_;
};

// Whether a name in a work or SICE folder is one of our temporary files.
bool isTemporaryName(const std::string& name);

} // namespace tts::platform
