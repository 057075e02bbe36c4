#pragma once

// Files opened, read, written and locked the same way on both systems.

#include "base/platform/SystemError.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tts::platform {

enum class Access { Read, ReadWrite };

// What other programs may do with the file while we hold it open. On Windows these are share
// modes; on Linux whole-file locks that any locking program sees (OFD locks, checked against
// classic fcntl and flock locks too). A file held by another program in a way that conflicts
// fails to open with a sharing violation.
enum class Share {
    None,      // nobody else may open it (exclusive use)
    Read,      // others may read it, not write it
    ReadWrite, // others may read and write it
};

enum class Disposition {
    OpenExisting,
    CreateNew, // fails when the name exists, or when another job took the new file away before
               // it was held (Share::None): the caller tries another name
};

// An open file that closes itself. Only plain files open: a folder, device or FIFO gives
// kNotRegularFile without ever waiting on it.
class File {
public:
    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    static File open(const std::string& path, Access access, Share share, Disposition disposition,
                     SystemError& error);

    bool isOpen() const { return handle_ != kClosed; }
    const std::string& path() const { return path_; }

    // Reads up to `size` bytes at `offset`; `got` < size only at the end of the file.
    SystemError readAt(std::uint64_t offset, void* data, std::size_t size, std::size_t& got);
    // Writes all `size` bytes at `offset`; a disk that takes no more gives the disk-full code.
    SystemError writeAt(std::uint64_t offset, const void* data, std::size_t size);
    SystemError size(std::uint64_t& bytes);
    SystemError truncate(std::uint64_t bytes);
    // Sets room on the disk aside for `bytes` bytes of content, without changing the file's size
    // or content, so that a full disk shows before the first byte changes. `reserved` is false
    // (and the result 0) where the file system cannot do that.
    SystemError reserve(std::uint64_t bytes, bool& reserved);
    SystemError flush(); // to the disk, not just to the system
    SystemError close(); // the error of the close itself, where the system reports one

    // The system's handle (a descriptor on POSIX, a HANDLE on Windows), for the replacement's
    // steps on the open file itself: its permissions, which file it is.
    std::intptr_t native() const { return handle_; }

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;
    std::string path_;
};

// The whole content of the open `file`, bounded by the size it has now; empty after an error.
SystemError readAll(File& file, std::string& bytes);

// The whole content of a plain file, read with the file open for reading while others may only
// read, and bounded by the size the file has when it is opened (a file that grows meanwhile is
// read as it was). Folders, devices and FIFOs give kNotRegularFile.
SystemError readWholeFile(const std::string& path, std::string& bytes);

// Whether a program other than this open of ours holds a lock or an exclusive open on the file
// (Linux: fcntl, OFD and flock locks; Windows: a share mode that excludes us). A missing file
// is held by nobody.
bool isHeldByAnother(const std::string& path);

} // namespace tts::platform
