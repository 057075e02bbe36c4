#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tts::sice {

// Writes every line followed by CR LF. The bytes go to a temporary file in the same folder that
// replaces the target only once all of it is written and flushed, so a failure never leaves a
// half-written file nor destroys the old one. Failure: "Cannot create file "%s". %s".
void writeLines(const std::vector<std::string>& lines, const std::string& path);

// How bytes reach the open file: the contract of POSIX write() (bytes written, or -1 with errno
// set). Tests pass one that fails part-way to show that the old file survives.
using WriteChunk = std::function<std::ptrdiff_t(int fd, const char* data, std::size_t size)>;
void writeLines(const std::vector<std::string>& lines, const std::string& path,
                const WriteChunk& writeChunk);

// Lines streamed to the temporary file beside `path`, in blocks, so a large file is never held
// whole in memory; commit() flushes, syncs and puts it in place of `path`. Until then the old
// file stays as it was, and a writer dropped without commit removes its temporary file. A
// failure to create or write the temporary file is kept and raised by commit(), so whatever
// else stops the job first is what the user reads, as when the whole file was written at the end.
class LineFileWriter {
public:
    explicit LineFileWriter(std::string path);
    LineFileWriter(std::string path, WriteChunk writeChunk);
    ~LineFileWriter();
    LineFileWriter(const LineFileWriter&) = delete;
    LineFileWriter& operator=(const LineFileWriter&) = delete;

    void add(std::string_view line); // followed by CR LF
    void commit();                   // "Cannot create file "%s". %s"

private:
    void writeBuffer();

    std::string path_;
    std::string temporary_;
    WriteChunk writeChunk_;
    std::string buffer_;
    int fd_ = -1;
    bool opened_ = false;
    std::string failure_; // the reason of the first failure; empty while all is well
};

// The name of the temporary file written beside `path`: hidden, and not ending in .TXT, so that
// nobody takes it for a SICE file.
std::string temporaryPathFor(const std::string& path);

// Removes the temporary files of `path` left by writers that were killed (their process is gone).
void removeStaleTemporaries(const std::string& path);

} // namespace tts::sice
