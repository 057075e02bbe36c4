#pragma once

namespace tts {

// True only when no process with this id runs any more: temporary files named after a process
// may then be removed. Any doubt (another user's process, an invalid id) answers false.
bool processIsGone(long pid);

// The id of this process, as temporary file names carry it.
long currentProcessId();

} // namespace tts
