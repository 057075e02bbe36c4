#include "tables/TableLock.h"

#include <fcntl.h>

#include <cerrno>

namespace tts::tables {

LockResult tryLockWholeFile(int fd, LockKind kind) {
    struct flock lock {};
    lock.l_type = kind == LockKind::Write ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // to the end of the file, however long it grows
    lock.l_pid = 0; // required by OFD locks
    while (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EACCES)
            return LockResult::HeldByOther;
        return LockResult::Unsupported;
    }
    return LockResult::Acquired;
}

} // namespace tts::tables
