#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tts::tables {

// Whole-file locks. Shared readers take a read lock, an exclusive user a write lock; a lock
// lasts until its handle is closed.
enum class LockKind { Read, Write };
enum class LockResult { Acquired, HeldByOther, Unsupported };

// One open table file: every call this layer makes on an open file goes through here, so that
// this class and the folder operations in TableFiles are all that knows the operating system.
// Failures come back as the system's error code (0 for none) for the caller's message.
class TableFile {
public:
    enum class Access { ReadOnly, ReadWrite };

    TableFile() = default;
    TableFile(TableFile&& other) noexcept;
    TableFile& operator=(TableFile&& other) noexcept;
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;
    ~TableFile() { close(); }

    static TableFile open(const std::string& path, Access access, int& error);
    // A new file that must not exist yet; `likePath`, when it names a file, lends its
    // permissions (a replacement keeps the old table's mode).
    static TableFile createNew(const std::string& path, const std::string& likePath, int& error);

    bool valid() const { return handle_ >= 0; }
    void close();

    // Reads up to `size` bytes at `offset`, fewer only at the end of the file. Returns the
    // bytes read; `error` is set when the read failed.
    size_t readAt(void* buffer, size_t size, int64_t offset, int& error) const;
    // Writes all `size` bytes at `offset`; returns the error code, 0 when all was written.
    int writeAt(const void* data, size_t size, int64_t offset) const;
    int64_t size(int& error) const;
    int truncate(int64_t size) const;
    int sync() const;

    // Never waits. Takes both kinds of lock other programs may use on this system (record locks
    // on the open file and whole-file flock locks): someone holding either keeps us out.
    // `Unsupported` when the file system cannot lock; the caller then goes on without.
    LockResult tryLock(LockKind kind) const;

private:
    explicit TableFile(int handle) : handle_(handle) {}
    int handle_ = -1;
};

} // namespace tts::tables
