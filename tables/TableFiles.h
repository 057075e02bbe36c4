#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tts::tables {

// Where a table's files lie in the work folder, and what is done to them as whole files. With
// TableFile, the only place of this layer that calls the operating system.
namespace tableFiles {

// The folder joined with a file name, made absolute so that messages show the full path.
std::string joinPath(const std::string& folder, const std::string& fileName);

// Raises "Ruta de acceso no válida." unless the folder exists and is a folder.
void requireFolder(const std::string& folder);

// The path of the regular file `fileName` in the folder, matched regardless of ASCII letter
// case as Windows does (the host may have written "soluc.dbf"); the exact name wins.
std::optional<std::string> findFile(const std::string& folder, const std::string& fileName);
// The same for a table that must be there: a folder that cannot be listed raises
// "No se puede leer la carpeta de trabajo." with the folder and the reason.
std::optional<std::string> findExistingFile(const std::string& folder, const std::string& fileName);

// Deletes the file (any letter case) if present; failures are ignored.
void removeIfPresent(const std::string& folder, const std::string& fileName);

// Makes a rename in the folder durable; failures are ignored (not every file system can).
void syncFolder(const std::string& folder);

// The names of the entries of the folder; empty when it cannot be read.
std::vector<std::string> entryNames(const std::string& folder);

bool exists(const std::string& path);
// Returns the system's error code, 0 when done.
int removeFile(const std::string& path);
// Replaces `to` by `from` in one atomic step; returns the system's error code, 0 when done.
int renameFile(const std::string& from, const std::string& to);

} // namespace tableFiles

} // namespace tts::tables
