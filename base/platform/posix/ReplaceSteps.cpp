#include "base/platform/ReplaceSteps.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tts::platform {

namespace {

// Whether `path` names the open file `fd`; `open` gets what `fd` is.
bool namesDescriptor(int fd, const std::string& path, struct stat& open) {
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

} // namespace

SystemError checkWritable(const std::string& path) {
    // A rename would replace a file we may not write; Windows keeps such a file, so do we. A
    // file without any write permission is read-only for root too, as the read-only attribute
    // is for an administrator.
    struct stat info {};
    if (::access(path.c_str(), W_OK) != 0)
        return errno == EROFS ? EROFS : EACCES;
    if (::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0)
        return EACCES;
    return 0;
}

SystemError checkReplaceable(const std::string& path) {
    if (const SystemError error = checkWritable(path))
        return error;
    return isHeldByAnother(path) ? EBUSY : 0;
}

void keepPermissions(File& temporary, const std::string& oldPath) {
    struct stat old {};
    if (::stat(oldPath.c_str(), &old) != 0 || !S_ISREG(old.st_mode))
        return;
    const int fd = static_cast<int>(temporary.native());
    // The group first: a folder shared through it stays writable to the others. The owner only
    // where we may set it (root, or our own file). Before the mode, which a change of owner may
    // strip of its set-id bits.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    (void)::fchmod(fd, old.st_mode & 07777);
}

void letEveryoneRead(File& file) {
    const int fd = static_cast<int>(file.native());
    struct stat info {};
    if (::fstat(fd, &info) == 0)
        (void)::fchmod(fd, (info.st_mode & 07777) | 0444);
}

std::string ownerOf(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return {};
    passwd entry{};
    passwd* found = nullptr;
    char buffer[1024];
    if (::getpwuid_r(info.st_uid, &entry, buffer, sizeof buffer, &found) == 0 && found)
        return found->pw_name;
    return std::to_string(info.st_uid);
}

SystemError moveOver(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void removeIfUnheld(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return;
    // Our writers hold flock first (kept by us until the name is gone, so none of them takes
    // the file meanwhile); a Windows writer under Wine holds an fcntl lock, which we only see.
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    struct stat open {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fcntl(fd, F_OFD_GETLK, &probe) == 0 &&
        probe.l_type == F_UNLCK && namesDescriptor(fd, path, open) && S_ISREG(open.st_mode))
        ::unlink(path.c_str());
    ::close(fd);
}

SystemError diskFull() {
    return ENOSPC;
}

bool isStillNamed(File& file, const std::string& path) {
    struct stat open {};
    return namesDescriptor(static_cast<int>(file.native()), path, open);
}

void removeLockFile(File& file, const std::string& path) {
    ::unlink(path.c_str()); // while still locked: whoever opened it meanwhile sees it gone
    file.close();
}

} // namespace tts::platform
