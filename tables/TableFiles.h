#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tts::tables {

// Where a table's files lie in the work folder: their names matched as Windows matches them and
// their paths made absolute. Files themselves are opened, written and replaced through the
// platform layer directly.
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

} // namespace tableFiles

} // namespace tts::tables
