#include "tables/DbfIo.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <string_view>

namespace tts::tables {

namespace {

// shapelib's open hook has no context argument; the file to hand over waits here.
thread_local DbfIo* pendingFile = nullptr;

DbfIo* asIo(SAFile file) {
    return reinterpret_cast<DbfIo*>(file);
}

bool endsWithDbf(const char* name) {
    std::string_view text(name);
    if (text.size() < 4)
        return false;
    std::string_view extension = text.substr(text.size() - 4);
    return extension == ".dbf" || extension == ".DBF";
}

SAFile hookOpen(const char* name, const char* access) {
    DbfIo* io = pendingFile;
    if (io == nullptr || !endsWithDbf(name))
        return nullptr;
    io->position = 0;
    if (access[0] == 'w' && ::ftruncate(io->fd, 0) != 0 && io->writeError == 0)
        io->writeError = errno;
    return reinterpret_cast<SAFile>(io);
}

SAOffset hookRead(void* buffer, SAOffset size, SAOffset count, SAFile file) {
    DbfIo* io = asIo(file);
    const size_t wanted = size * count;
    size_t done = 0;
    while (done < wanted) {
        ssize_t got = ::pread(io->fd, static_cast<char*>(buffer) + done, wanted - done,
                              static_cast<off_t>(io->position + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (io->readError == 0)
                io->readError = got < 0 ? errno : -1;
            break;
        }
        done += static_cast<size_t>(got);
    }
    io->position += done;
    return size == 0 ? 0 : done / size;
}

SAOffset hookWrite(void* buffer, SAOffset size, SAOffset count, SAFile file) {
    DbfIo* io = asIo(file);
    const size_t wanted = size * count;
    size_t done = 0;
    while (done < wanted) {
        ssize_t put = ::pwrite(io->fd, static_cast<const char*>(buffer) + done, wanted - done,
                               static_cast<off_t>(io->position + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (io->writeError == 0)
                io->writeError = put < 0 ? errno : EIO;
            break;
        }
        done += static_cast<size_t>(put);
    }
    io->position += done;
    return size == 0 ? 0 : done / size;
}

SAOffset hookSeek(SAFile file, SAOffset offset, int whence) {
    DbfIo* io = asIo(file);
    if (whence == SEEK_SET) {
        io->position = offset;
    } else if (whence == SEEK_CUR) {
        io->position += offset;
    } else {
        off_t end = ::lseek(io->fd, 0, SEEK_END);
        if (end < 0)
            return static_cast<SAOffset>(-1);
        io->position = static_cast<uint64_t>(end) + offset;
    }
    return 0;
}

SAOffset hookTell(SAFile file) {
    return asIo(file)->position;
}

// Durability is the owner's business (it syncs before a rename); these do nothing on purpose.
int hookFlush(SAFile) {
    return 0;
}
int hookClose(SAFile) {
    return 0;
}
int hookRemove(const char*) {
    return -1;
}
void hookError(const char*) {}

double hookAtof(const char* text) {
    double value = 0;
    std::from_chars(text, text + std::strlen(text), value);
    return value;
}

} // namespace

DbfHandOver::DbfHandOver(DbfIo& io) : hooks_{} {
    pendingFile = &io;
    hooks_.FOpen = hookOpen;
    hooks_.FRead = hookRead;
    hooks_.FWrite = hookWrite;
    hooks_.FSeek = hookSeek;
    hooks_.FTell = hookTell;
    hooks_.FFlush = hookFlush;
    hooks_.FClose = hookClose;
    hooks_.Remove = hookRemove;
    hooks_.Error = hookError;
    hooks_.Atof = hookAtof;
}

DbfHandOver::~DbfHandOver() {
    pendingFile = nullptr;
}

} // namespace tts::tables
