#include "tables/TableFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace tts::tables {

TableFile::TableFile(TableFile&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

TableFile& TableFile::operator=(TableFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

void TableFile::close() {
    if (handle_ >= 0)
        ::close(handle_);
    handle_ = -1;
}

TableFile TableFile::open(const std::string& path, Access access, int& error) {
    int flags = (access == Access::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    int handle = ::open(path.c_str(), flags);
    error = handle < 0 ? errno : 0;
    return TableFile(handle);
}

TableFile TableFile::createNew(const std::string& path, const std::string& likePath, int& error) {
    int handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    error = handle < 0 ? errno : 0;
    struct stat like {};
    if (handle >= 0 && !likePath.empty() && ::stat(likePath.c_str(), &like) == 0)
        ::fchmod(handle, like.st_mode & 07777);
    return TableFile(handle);
}

size_t TableFile::readAt(void* buffer, size_t size, int64_t offset, int& error) const {
    error = 0;
    size_t done = 0;
    while (done < size) {
        ssize_t got = ::pread(handle_, static_cast<char*>(buffer) + done, size - done,
                              static_cast<off_t>(offset + static_cast<int64_t>(done)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = errno;
            break;
        }
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

int TableFile::writeAt(const void* data, size_t size, int64_t offset) const {
    size_t done = 0;
    while (done < size) {
        ssize_t put = ::pwrite(handle_, static_cast<const char*>(data) + done, size - done,
                               static_cast<off_t>(offset + static_cast<int64_t>(done)));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return put < 0 ? errno : EIO;
        done += static_cast<size_t>(put);
    }
    return 0;
}

int64_t TableFile::size(int& error) const {
    struct stat info {};
    error = ::fstat(handle_, &info) == 0 ? 0 : errno;
    return error == 0 ? static_cast<int64_t>(info.st_size) : 0;
}

int TableFile::truncate(int64_t size) const {
    return ::ftruncate(handle_, static_cast<off_t>(size)) == 0 ? 0 : errno;
}

int TableFile::sync() const {
    return ::fsync(handle_) == 0 ? 0 : errno;
}

namespace {

bool heldByOther(int error) {
    return error == EAGAIN || error == EACCES || error == EWOULDBLOCK;
}

// Open-file-description locks: unlike classic record locks they belong to the open file, not
// to the process, so two opens in this process conflict too and closing some other handle of
// the file does not drop them.
LockResult recordLock(int handle, LockKind kind) {
    struct flock lock {};
    lock.l_type = kind == LockKind::Write ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // to the end of the file, however long it grows
    lock.l_pid = 0; // required by OFD locks
    while (::fcntl(handle, F_OFD_SETLK, &lock) != 0) {
        if (errno == EINTR)
            continue;
        return heldByOther(errno) ? LockResult::HeldByOther : LockResult::Unsupported;
    }
    return LockResult::Acquired;
}

// flock locks live beside record locks without seeing them; a program that locks with flock
// only must find the table in use as well.
LockResult wholeFileLock(int handle, LockKind kind) {
    int operation = (kind == LockKind::Write ? LOCK_EX : LOCK_SH) | LOCK_NB;
    while (::flock(handle, operation) != 0) {
        if (errno == EINTR)
            continue;
        return heldByOther(errno) ? LockResult::HeldByOther : LockResult::Unsupported;
    }
    return LockResult::Acquired;
}

} // namespace

LockResult TableFile::tryLock(LockKind kind) const {
    LockResult record = recordLock(handle_, kind);
    if (record == LockResult::HeldByOther)
        return record;
    LockResult whole = wholeFileLock(handle_, kind);
    if (whole == LockResult::HeldByOther)
        return whole;
    return record == LockResult::Acquired || whole == LockResult::Acquired
               ? LockResult::Acquired
               : LockResult::Unsupported;
}

} // namespace tts::tables
