#pragma once

#include "base/platform/File.h"

#include <string>

// The few steps of a replacement that differ between systems; AtomicReplace.cpp, JobLock.cpp
// and the table layer's rebuild use them.
namespace tts::platform {

// 0 when we may write `path`, an existing file, whoever holds it: a read-only file, or one its
// permissions keep from us, is the access error.
SystemError checkWritable(const std::string& path);

// 0 when `path`, an existing file, may be replaced by us: we may write it (checkWritable) and
// nobody holds it (the sharing violation).
SystemError checkReplaceable(const std::string& path);

// The new file gets the permissions of the one it replaces: on POSIX its mode, its group and,
// where we may set it, its owner; on Windows its attributes.
void keepPermissions(File& temporary, const std::string& oldPath);

// Lets every user read the file we made (POSIX), whatever the umask: a lock file then opens
// for anyone who comes after us, read-only if need be.
void letEveryoneRead(File& file);

// The name of the user who owns `path` ("" where the system does not say).
std::string ownerOf(const std::string& path);

// `from` takes the place of `to` in one step; both are closed.
SystemError moveOver(const std::string& from, const std::string& to);

// Removes the temporary file at `path` unless a living writer holds it. Every writer holds its
// temporary file with a lock that both builds see (on Linux whole-file flock and fcntl locks, on
// Windows its share mode and a LockFileEx byte-range lock, which Wine passes on as an fcntl
// lock), from its creation to its end; the file is removed only while held by us in the same
// way, so that a writer that makes it in that moment finds its name gone and takes another.
void removeIfUnheld(const std::string& path);

SystemError diskFull();

// Whether `path` still names the open file (nobody removed or replaced it since it was opened).
bool isStillNamed(File& file, const std::string& path);

// Removes the lock file `path` and closes it, in the order that keeps the lock sound: a POSIX
// lock dies with the name removed first, a Windows file held open cannot be removed.
void removeLockFile(File& file, const std::string& path);

} // namespace tts::platform
