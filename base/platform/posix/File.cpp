#include "base/platform/File.h"

#include "base/platform/FaultInjection.h"
#include "base/platform/Folders.h"
#include "base/platform/ReplaceSteps.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace tts::platform {

namespace {

int fdOf(std::intptr_t handle) {
    return static_cast<int>(handle);
}

// A lock on the whole file, tied to this open file description (OFD): it conflicts with other
// opens in this process too, and with classic fcntl locks of other processes.
// 0 when taken or when the file system cannot lock (we then go on as without locks), EBUSY
// when someone holds a conflicting lock.
int lockWholeFile(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // to the end, however long it grows
    while (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        if (errno == EINTR)
            continue;
        return errno == EAGAIN || errno == EACCES ? EBUSY : 0;
    }
    return 0;
}

// flock() locks live apart from fcntl locks on Linux: a program that took one must be seen too.
// Only a test: taking and dropping it at once, before our own fcntl lock exists (on NFS flock
// is emulated with fcntl locks and would conflict with ours).
int testFlock(int fd, bool exclusive) {
    while (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        return errno == EWOULDBLOCK ? EBUSY : 0;
    }
    ::flock(fd, LOCK_UN);
    return 0;
}

// flock() locks live apart from fcntl locks on Linux: a program that only knows flock must
// find the file held by us, and we must find it held by such a program. Kept while the file is
// open. 0 also when the file system cannot lock.
int takeFlock(int fd, bool exclusive) {
    while (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        return errno == EWOULDBLOCK ? EBUSY : 0;
    }
    return 0;
}

SystemError takeShare(int fd, Access access, Share share) {
    // What others may not do decides the lock: nobody else at all, or no writer. Shared for
    // reading and writing still keeps out whoever wants the file alone.
    const bool exclusive = share == Share::None;
    if (int error = takeFlock(fd, exclusive))
        return error;
    // An fcntl write lock needs a descriptor open for writing; on a read-only one the exclusive
    // flock above keeps our builds out, and a read lock still keeps out any writer's lock.
    const short type = exclusive && access == Access::ReadWrite ? F_WRLCK : F_RDLCK;
    int error = lockWholeFile(fd, type);
    if (error == EBUSY) {
        // On NFS flock is made of fcntl locks, and ours would conflict with our own: without it.
        ::flock(fd, LOCK_UN);
        error = lockWholeFile(fd, type);
    }
    return error;
}

} // namespace

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, kClosed)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, kClosed);
        path_ = std::move(other.path_);
    }
    return *this;
}

File::~File() {
    close();
}

File File::open(const std::string& path, Access access, Share share, Disposition disposition,
                SystemError& error) {
    int flags = (access == Access::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NOCTTY;
    // Never wait for a FIFO's writer or a device: what it is shows right after the open.
    flags |= O_NONBLOCK;
    if (disposition == Disposition::CreateNew)
        flags |= O_CREAT | O_EXCL;
    File file;
    int fd = -1;
    do
        fd = ::open(path.c_str(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = errno == EISDIR ? kNotRegularFile : errno;
        // The name is there, the file it leads to is not: not "missing", which would hide it.
        if (isNotFound(error) && isLink(path))
            error = kBrokenLink;
        return file;
    }
    file.handle_ = fd;
    file.path_ = path;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = errno;
        file.close();
        return file;
    }
    if (!S_ISREG(info.st_mode)) {
        error = kNotRegularFile;
        file.close();
        return file;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if ((error = takeShare(fd, access, share)) != 0) {
        file.close();
        // A file we have just made, held by someone else: a later job clearing leftovers has it.
        if (disposition == Disposition::CreateNew && error == EBUSY)
            error = EEXIST;
        return file;
    }
    // Made and locked in two steps: a job that cleared leftovers in between took the name away.
    if (disposition == Disposition::CreateNew && share == Share::None &&
        !isStillNamed(file, path)) {
        error = EEXIST;
        file.close();
        return file;
    }
    error = 0;
    return file;
}

SystemError File::readAt(std::uint64_t offset, void* data, std::size_t size, std::size_t& got) {
    got = 0;
#ifdef TTS_FAULT_INJECTION
    if (const SystemError fault = injectedReadFault(path_))
        return fault;
#endif
    char* out = static_cast<char*>(data);
    while (got < size) {
        const ssize_t n =
            ::pread(fdOf(handle_), out + got, size - got, static_cast<off_t>(offset + got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

SystemError File::writeAt(std::uint64_t offset, const void* data, std::size_t size) {
    const char* in = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::pwrite(fdOf(handle_), in + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC; // no progress: the disk takes no more
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

SystemError File::size(std::uint64_t& bytes) {
    struct stat info {};
    if (::fstat(fdOf(handle_), &info) != 0)
        return errno;
    bytes = static_cast<std::uint64_t>(info.st_size);
    return 0;
}

SystemError File::truncate(std::uint64_t bytes) {
    while (::ftruncate(fdOf(handle_), static_cast<off_t>(bytes)) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

SystemError File::reserve(std::uint64_t bytes, bool& reserved) {
    reserved = true;
    while (::fallocate(fdOf(handle_), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes)) != 0) {
        if (errno == EINTR)
            continue;
        reserved = false;
        return errno == EOPNOTSUPP || errno == ENOSYS ? 0 : errno;
    }
    return 0;
}

SystemError File::flush() {
    return ::fsync(fdOf(handle_)) == 0 ? 0 : errno;
}

SystemError File::close() {
    if (handle_ == kClosed)
        return 0;
    const int result = ::close(fdOf(std::exchange(handle_, kClosed)));
    return result == 0 || errno == EINTR ? 0 : errno;
}

bool isHeldByAnother(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    bool held = testFlock(fd, true) != 0;
    if (!held) {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        held = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    }
    ::close(fd);
    return held;
}

} // namespace tts::platform
