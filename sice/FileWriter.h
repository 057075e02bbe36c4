#pragma once

#include <cstddef>
#include <functional>
#include <string>
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

// The name of the temporary file written beside `path`: hidden, and not ending in .TXT, so that
// nobody takes it for a SICE file.
std::string temporaryPathFor(const std::string& path);

// Removes the temporary files of `path` left by writers that were killed (their process is gone).
void removeStaleTemporaries(const std::string& path);

} // namespace tts::sice
