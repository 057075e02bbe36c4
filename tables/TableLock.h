#pragma once

namespace tts::tables {

// Whole-file locks on an open file description (Linux OFD locks). Unlike classic POSIX record
// locks they belong to the descriptor, not to the process: they conflict between two opens in
// the same process too, and closing some other descriptor of the file does not drop them.
// Shared readers take a read lock, an exclusive user a write lock; the lock lasts until the
// descriptor is closed.
enum class LockKind { Read, Write };
enum class LockResult { Acquired, HeldByOther, Unsupported };

// Never waits. `Unsupported` when the file system cannot lock; the caller then goes on
// without, as it would on a file system without locks.
LockResult tryLockWholeFile(int fd, LockKind kind);

} // namespace tts::tables
