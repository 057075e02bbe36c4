#pragma once

#include <string>
#include <vector>

// Programs started beside ours and left running on their own: the help viewer on Linux (xchm).
// POSIX only; Windows shows help through HTML Help inside our process.
namespace tts::platform {

// True when `path` is a plain file we may run.
bool isExecutableFile(const std::string& path);

// Starts `program` with `arguments`, stdin from /dev/null and default signal handling; its
// process id, or 0 when it could not start.
long startViewer(const std::string& program, const std::vector<std::string>& arguments);

// Asks the process to end (SIGTERM); it is reaped by viewerHasEnded.
void endViewer(long pid);

// True once the process has ended (and is reaped), or is no child of ours any more.
bool viewerHasEnded(long pid);

} // namespace tts::platform
