#pragma once

#include "base/RunHost.h"

#include <optional>
#include <string>

namespace tts::sice {

// How both jobs open: CarpetaSice is the chosen folder followed by the path separator, appended
// even after a folder that already ends in one. When no folder exists there the job shows
// "No existe la carpeta" (or, for a path longer than the system takes, "No se puede usar la
// carpeta" and why) and, embedded, sets `embeddedResult` and closes the window; it then
// ends, which the empty answer says.
std::optional<std::string> carpetaSiceOrNotice(RunHost& host, const std::string& chosenFolder,
                                               int embeddedResult);

// The notice the jobs show when `folder` is not there: "No existe la carpeta", or, when the
// system cannot take so long a path, "No se puede usar la carpeta (" and the Spanish reason ")".
std::string missingFolderNotice(const std::string& folder);

} // namespace tts::sice
