#include "base/platform/File.h"

#include "base/platform/FaultInjection.h"
#include "base/platform/Folders.h"
#include "base/platform/ReplaceSteps.h"
#include "base/platform/win32/Wide.h"

#include <windows.h>

#include <utility>

namespace tts::platform {

namespace {

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

DWORD shareMode(Share share) {
    switch (share) {
    case Share::None:
        return 0;
    case Share::Read:
        return FILE_SHARE_READ;
    case Share::ReadWrite:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    }
    return 0;
}

// Exclusive use is also a byte-range lock over every byte the file may ever have: Wine passes it
// on as an fcntl lock, so a Linux program of ours sees it (it cannot see share modes), and Wine
// refuses it while a Linux program of ours holds its lock. False only when someone holds one.
bool lockWholeFile(HANDLE handle) {
    OVERLAPPED whole{};
    if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                     MAXDWORD, &whole))
        return true;
    // A file system without byte-range locks: the share mode alone, as before.
    return ::GetLastError() != ERROR_LOCK_VIOLATION;
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
    File file;
    const std::wstring wide = widen(path);
    // A folder, a device or a pipe never opens as a file; asked before the open, which on a pipe
    // could wait.
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = kNotRegularFile;
        return file;
    }
    const DWORD creation = disposition == Disposition::CreateNew ? CREATE_NEW : OPEN_EXISTING;
    const HANDLE handle = ::CreateFileW(
        wide.c_str(), access == Access::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
        shareMode(share), nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = static_cast<SystemError>(::GetLastError());
        // The name is there, the file it leads to is not: not "missing", which would hide it.
        if (isNotFound(error) && isLink(path))
            error = kBrokenLink;
        return file;
    }
    file.handle_ = reinterpret_cast<std::intptr_t>(handle);
    file.path_ = path;
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        error = kNotRegularFile;
        file.close();
        return file;
    }
    if (share == Share::None && !lockWholeFile(handle)) {
        // A file we have just made, held by someone else: a later job clearing leftovers has it.
        error = disposition == Disposition::CreateNew ? ERROR_FILE_EXISTS : ERROR_SHARING_VIOLATION;
        file.close();
        return file;
    }
    // Made and locked in two steps: a job of the Linux build that cleared leftovers in between
    // took the name away (a Windows one could not have removed a file held without sharing).
    if (disposition == Disposition::CreateNew && share == Share::None &&
        !isStillNamed(file, path)) {
        error = ERROR_FILE_EXISTS;
        file.close();
        return file;
    }
    error = 0;
    return file;
}

namespace {

// Where a read or write of a file opened without a current position starts.
OVERLAPPED overlappedAt(std::uint64_t position) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(position);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    return at;
}

} // namespace

SystemError File::readAt(std::uint64_t offset, void* data, std::size_t size, std::size_t& got) {
    got = 0;
#ifdef TTS_FAULT_INJECTION
    if (const SystemError fault = injectedReadFault(path_))
        return fault;
#endif
    char* out = static_cast<char*>(data);
    while (got < size) {
        OVERLAPPED at = overlappedAt(offset + got);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - got, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(handleOf(handle_), out + got, chunk, &read, &at)) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_HANDLE_EOF)
                break;
            return static_cast<SystemError>(error);
        }
        if (read == 0)
            break;
        got += read;
    }
    return 0;
}

SystemError File::writeAt(std::uint64_t offset, const void* data, std::size_t size) {
    const char* in = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        OVERLAPPED at = overlappedAt(offset + done);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handleOf(handle_), in + done, chunk, &written, &at))
            return static_cast<SystemError>(::GetLastError());
        if (written == 0)
            return ERROR_DISK_FULL;
        done += written;
    }
    return 0;
}

SystemError File::size(std::uint64_t& bytes) {
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(handleOf(handle_), &length))
        return static_cast<SystemError>(::GetLastError());
    bytes = static_cast<std::uint64_t>(length.QuadPart);
    return 0;
}

SystemError File::truncate(std::uint64_t bytes) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(bytes);
    if (!::SetFileInformationByHandle(handleOf(handle_), FileEndOfFileInfo, &end, sizeof end))
        return static_cast<SystemError>(::GetLastError());
    return 0;
}

SystemError File::reserve(std::uint64_t bytes, bool& reserved) {
    FILE_ALLOCATION_INFO room{};
    room.AllocationSize.QuadPart = static_cast<LONGLONG>(bytes);
    reserved = ::SetFileInformationByHandle(handleOf(handle_), FileAllocationInfo, &room,
                                            sizeof room) != 0;
    if (reserved)
        return 0;
    const DWORD error = ::GetLastError();
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL
               ? static_cast<SystemError>(error)
               : 0;
}

SystemError File::flush() {
    return ::FlushFileBuffers(handleOf(handle_)) ? 0 : static_cast<SystemError>(::GetLastError());
}

SystemError File::close() {
    if (handle_ == kClosed)
        return 0;
    return ::CloseHandle(handleOf(std::exchange(handle_, kClosed)))
               ? 0
               : static_cast<SystemError>(::GetLastError());
}

bool isHeldByAnother(const std::string& path) {
    // Whoever has the file open without letting others read and write it holds it.
    const HANDLE handle =
        ::CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_SHARING_VIOLATION;
    ::CloseHandle(handle);
    return false;
}

} // namespace tts::platform
