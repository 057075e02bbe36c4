#pragma once

#include <shapefil.h>

#include <cstdint>

namespace tts::tables {

// The file under a shapelib handle: a descriptor that this layer opened and locked itself.
// shapelib reaches it through hooks, so it never opens, closes, creates or deletes a file on
// its own (no side files, no lock dropped by a close), and every failed read or write is kept
// here with its error code for the caller to report.
struct DbfIo {
    int fd = -1;
    uint64_t position = 0;
    int writeError = 0; // first errno of a failed write, 0 while all went well
    int readError = 0;  // first errno of a failed read; -1 for a read past the end
};

// While alive, shapelib's opens of a ".dbf" name (any case) through `hooks` get `io`; every
// other name (".cpg" code-page side files) is refused. Open or create within its scope.
class DbfHandOver {
public:
    explicit DbfHandOver(DbfIo& io);
    ~DbfHandOver();
    DbfHandOver(const DbfHandOver&) = delete;
    DbfHandOver& operator=(const DbfHandOver&) = delete;

    SAHooks* hooks() { return &hooks_; }

private:
    SAHooks hooks_;
};

} // namespace tts::tables
