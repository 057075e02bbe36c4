#include "base/platform/ReplaceSteps.h"

#include "base/platform/Process.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tts::platform {

SystemError checkReplaceable(const std::string& path) {
    // A rename would replace a file we may not write; Windows keeps such a file, so do we. A
    // file without any write permission is read-only for root too, as the read-only attribute
    // is for an administrator.
    struct stat info {};
    if (::access(path.c_str(), W_OK) != 0)
        return errno == EROFS ? EROFS : EACCES;
    if (::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0)
        return EACCES;
    return isHeldByAnother(path) ? EBUSY : 0;
}

void keepPermissions(File& temporary, const std::string& oldPath) {
    struct stat old {};
    if (::stat(oldPath.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        (void)::fchmod(static_cast<int>(temporary.native()), old.st_mode & 07777);
}

SystemError moveOver(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void removeIfAbandoned(const std::string& path, const std::string& suffix) {
    long pid = 0;
    auto [rest, error] = std::from_chars(suffix.data(), suffix.data() + suffix.size(), pid);
    (void)rest;
    // Process ids are unique among living processes here; the lock covers a writer in another
    // PID namespace that looks gone from ours.
    if (error != std::errc{} || pid == currentProcessId() || !processIsGone(pid))
        return;
    if (!isHeldByAnother(path))
        ::unlink(path.c_str());
}

SystemError diskFull() {
    return ENOSPC;
}

bool isStillNamed(File& file, const std::string& path) {
    struct stat open {
    }, named{};
    return ::fstat(static_cast<int>(file.native()), &open) == 0 &&
           ::stat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

void removeLockFile(File& file, const std::string& path) {
    ::unlink(path.c_str()); // while still locked: whoever opened it meanwhile sees it gone
    file.close();
}

} // namespace tts::platform
