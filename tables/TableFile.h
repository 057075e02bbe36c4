#pragma once

#include "base/platform/File.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tts::tables {

// One open table file: every call this layer makes on an open file goes through here, onto the
// platform layer's files. Failures come back as the system's error code (0 for none) for the
// caller's message.
class TableFile {
public:
    enum class Access { ReadOnly, ReadWrite };
    // What others may do while we hold it. Shared: other shared users too, nobody alone.
    // Exclusive: nobody else. A table held by another program in a way that conflicts does not
    // open; the error is then platform::isSharingViolation (Linux: any lock kind of the other
    // program; Windows: its share mode).
    enum class Use { Shared, Exclusive };

    TableFile() = default;
    TableFile(TableFile&&) noexcept = default;
    TableFile& operator=(TableFile&&) noexcept = default;
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;
    ~TableFile() = default;

    static TableFile open(const std::string& path, Access access, Use use, int& error);
    // A new file that must not exist yet, held exclusively; `likePath`, when it names a file,
    // lends its permissions (a replacement keeps the old table's mode).
    static TableFile createNew(const std::string& path, const std::string& likePath, int& error);

    bool valid() const { return file_.isOpen(); }
    int close() { return file_.close(); }

    // Reads up to `size` bytes at `offset`, fewer only at the end of the file. Returns the
    // bytes read; `error` is set when the read failed.
    size_t readAt(void* buffer, size_t size, int64_t offset, int& error) const;
    // Writes all `size` bytes at `offset`; returns the error code, 0 when all was written.
    int writeAt(const void* data, size_t size, int64_t offset) const;
    int64_t size(int& error) const;
    int truncate(int64_t size) const;
    int sync() const;

private:
    // The platform's calls do not change what a const table file is.
    mutable platform::File file_;
};

} // namespace tts::tables
