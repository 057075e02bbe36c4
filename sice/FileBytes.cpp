#include "sice/FileBytes.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef O_BINARY
#define O_BINARY 0
#endif
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif

namespace tts::sice {

int readFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_BINARY | O_CLOEXEC);
    if (fd < 0)
        return errno;

    int failure = 0;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        failure = errno;
    } else if (S_ISDIR(info.st_mode)) {
        failure = EISDIR;
    } else {
        // The size is a hint: a file that grows meanwhile, or one that reports no size, is still
        // read to its end.
        size_t capacity = info.st_size > 0 ? static_cast<size_t>(info.st_size) + 1 : 65536;
        bytes.resize(capacity);
        size_t used = 0;
        for (;;) {
            if (used == bytes.size())
                bytes.resize(bytes.size() * 2);
            ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                failure = errno;
                break;
            }
            if (got == 0)
                break;
            used += static_cast<size_t>(got);
        }
        bytes.resize(failure ? 0 : used);
    }
    ::close(fd);
    return failure;
}

} // namespace tts::sice
