#include "sice/FileWriter.h"

#include "base/Error.h"
#include "base/ProcessLiveness.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

#ifndef O_BINARY
#define O_BINARY 0
#endif
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif

namespace tts::sice {

namespace {

// Large enough that a normal file goes in a few calls, small enough that a full disk shows up
// part-way rather than only at the end.
constexpr size_t kChunk = 1 << 16;
// What a streamed file gathers in memory before it goes to the file.
constexpr size_t kBlock = 1 << 18;

[[noreturn]] void cannotCreate(const std::string& path, const std::string& reason) {
    throw Error("Cannot create file \"" + path + "\". " + reason);
}

int writeAll(int fd, const std::string& bytes, const WriteChunk& writeChunk) {
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t size = std::min(kChunk, bytes.size() - done);
        errno = 0;
        std::ptrdiff_t written = writeChunk(fd, bytes.data() + done, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno ? errno : EIO;
        }
        if (written == 0)
            return ENOSPC; // no progress: the disk will not take more
        done += static_cast<size_t>(written);
    }
    return 0;
}

int flushToDisk(int fd) {
#ifdef _WIN32
    return ::_commit(fd) == 0 ? 0 : errno;
#else
    return ::fsync(fd) == 0 ? 0 : errno;
#endif
}

void keepModeOfOldFile(int fd, const std::string& path) {
#ifndef _WIN32
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        (void)::fchmod(fd, old.st_mode & 07777);
#else
    (void)fd;
    (void)path;
#endif
}

// Makes the rename itself survive a crash. Best effort: the new file is in place already.
void flushFolderOf(const std::string& path) {
#ifndef _WIN32
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
#else
    (void)path;
#endif
}

std::ptrdiff_t systemWrite(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}

} // namespace

std::string temporaryPathFor(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameStart) + ".~" + path.substr(nameStart) + ".tmp-" +
           std::to_string(static_cast<long>(::getpid()));
}

void removeStaleTemporaries(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string folder = nameStart == 0 ? "." : path.substr(0, nameStart);
    const std::string prefix = ".~" + path.substr(nameStart) + ".tmp-";
    std::error_code ec;
    std::vector<std::filesystem::path> stale;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        long pid = 0;
        const char* digits = name.data() + prefix.size();
        auto [rest, error] = std::from_chars(digits, name.data() + name.size(), pid);
        if (error == std::errc{} && rest == name.data() + name.size() && processIsGone(pid))
            stale.push_back(it->path());
    }
    for (const auto& file : stale)
        std::filesystem::remove(file, ec);
}

void writeLines(const std::vector<std::string>& lines, const std::string& path) {
    writeLines(lines, path, systemWrite);
}

void writeLines(const std::vector<std::string>& lines, const std::string& path,
                const WriteChunk& writeChunk) {
    LineFileWriter writer(path, writeChunk);
    for (const std::string& line : lines)
        writer.add(line);
    writer.commit();
}

LineFileWriter::LineFileWriter(std::string path) : LineFileWriter(std::move(path), systemWrite) {}

LineFileWriter::LineFileWriter(std::string path, WriteChunk writeChunk)
    : path_(std::move(path)), writeChunk_(std::move(writeChunk)) {
    buffer_.reserve(kBlock + kChunk);
}

LineFileWriter::~LineFileWriter() {
    if (fd_ >= 0)
        ::close(fd_);
    if (opened_)
        ::unlink(temporary_.c_str());
}

void LineFileWriter::add(std::string_view line) {
    buffer_.append(line);
    buffer_.append("\r\n", 2);
    if (buffer_.size() >= kBlock)
        writeBuffer();
}

// The temporary file is made at the first block; after a failure the rest is dropped.
void LineFileWriter::writeBuffer() {
    if (failure_.empty() && !opened_) {
        removeStaleTemporaries(path_);
        temporary_ = temporaryPathFor(path_);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_BINARY | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            failure_ = std::strerror(errno);
        } else {
            opened_ = true;
            keepModeOfOldFile(fd_, path_);
        }
    }
    if (failure_.empty())
        if (int error = writeAll(fd_, buffer_, writeChunk_))
            failure_ = std::strerror(error);
    buffer_.clear();
}

void LineFileWriter::commit() {
    writeBuffer();
    if (failure_.empty()) {
        int error = flushToDisk(fd_);
        if (::close(fd_) != 0 && !error)
            error = errno;
        fd_ = -1;
        if (error)
            failure_ = std::strerror(error);
    }
    if (!failure_.empty()) {
        if (opened_)
            ::unlink(temporary_.c_str());
        opened_ = false;
        cannotCreate(path_, failure_);
    }

    std::error_code ec;
    std::filesystem::rename(temporary_, path_, ec);
    if (ec) {
        ::unlink(temporary_.c_str());
        opened_ = false;
        cannotCreate(path_, ec.message());
    }
    opened_ = false;
    flushFolderOf(path_);
}

} // namespace tts::sice
