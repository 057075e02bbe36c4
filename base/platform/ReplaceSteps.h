#pragma once

#include "base/platform/File.h"

#include <string>

// The few steps of a replacement that differ between systems; only AtomicReplace.cpp and
// JobLock.cpp use them.
namespace tts::platform {

// 0 when `path`, an existing file, may be replaced by us: we may write it (a read-only file is
// the access error) and nobody holds it (the sharing violation).
SystemError checkReplaceable(const std::string& path);

// The new file gets the permissions of the one it replaces (POSIX only).
void keepPermissions(File& temporary, const std::string& oldPath);

// `from` takes the place of `to` in one step; both are closed.
SystemError moveOver(const std::string& from, const std::string& to);

// Removes the temporary file at `path` if its writer is gone; `suffix` is what follows the
// temporary prefix ("<pid>-<n>").
void removeIfAbandoned(const std::string& path, const std::string& suffix);

SystemError diskFull();

} // namespace tts::platform
