#pragma once

#include "base/platform/SystemError.h"

#include <optional>
#include <string>
#include <vector>

namespace tts::platform {

// Paths and folders: what lies at a path, folder listings, names and removal.
enum class PathKind { Missing, File, Folder, Other };

// What lies at `path`, following links as opening it would. Other: a device, FIFO or socket.
// A path that cannot be looked at (a folder on the way may not be entered) reads as Missing.
PathKind pathKind(const std::string& path);

// Why `path` cannot be looked at (missing, too long, a folder on the way closed to us); 0 when
// something is there.
SystemError pathError(const std::string& path);

// True when `path` itself is a symbolic link (or, on Windows, a reparse point), whether or not
// what it names exists: a broken link then reads as a link, not as a missing file.
bool isLink(const std::string& path);

// The separator of the system's paths: '\\' on Windows, '/' elsewhere.
char pathSeparator();

// An absolute path: "/x" on POSIX; "C:\x", "C:/x", "\\server\share" and "\x" on Windows.
bool isAbsolutePath(const std::string& path);

// The process's working folder; empty when the system does not tell.
std::string currentFolder();

// `path` made absolute against the working folder and cleaned: "." and ".." resolved by name,
// the system's separator throughout, none doubled and none at the end except at a root. Empty
// when the working folder is unknown.
std::string absolutePath(const std::string& path);

// An absolute, clean path as its root ("/", "C:\", "\\server\share\") and the names of the
// folders below it, in order.
struct PathSteps {
    std::string root;
    std::vector<std::string> names;
};
PathSteps stepsOf(const std::string& absolute);

SystemError setCurrentFolder(const std::string& folder);

// `folder` joined with `name` by one separator (none added when the folder ends in one).
std::string joinPath(const std::string& folder, const std::string& name);

// The part of `path` up to and including its last separator ("" when there is none).
std::string folderOf(const std::string& path);

// The part of `path` after its folder: the file's own name.
std::string nameOf(const std::string& path);

// The names in `folder`, without "." and "..", in the system's order.
SystemError listFolder(const std::string& folder, std::vector<std::string>& names);

// Why `folder` cannot be listed (a folder closed to us, missing...); 0 when it can. Only its
// first entry is read: the names are not wanted.
SystemError folderListingError(const std::string& folder);

// The one case-insensitive lookup: `name` in `folder` whatever the letter case of the stored
// name (a-z and the Windows-1252 letters). The exact name wins; among several other spellings
// the one that sorts first by bytes, so the answer never depends on the order in which the
// system lists the folder. Folders do not count; devices and FIFOs do, so that opening them
// says what they are, and so does a broken link, so that opening it says why. A folder that
// cannot be listed gives its error. `leftAside`, when given, gets the paths of the other
// spellings that would have done, so that a caller can say which one it did not use.
SystemError findIgnoringCase(const std::string& folder, const std::string& name,
                             std::optional<std::string>& path,
                             std::vector<std::string>* leftAside = nullptr);

SystemError removeFile(const std::string& path);

// Makes the last renames in `folder` durable. Best effort: not every file system can.
void flushFolder(const std::string& folder);

} // namespace tts::platform
