#pragma once

#include <string>
#include <string_view>

// Our temporary files, named and recognised here only: ".~NAME.tmp-PID-N" beside the file NAME
// they will replace. Hidden, and not ending in .TXT or .DBF, so that nobody takes one for a SICE
// file or a table; another program's hidden files (".~lock.notas.odt#") are never ours.
namespace tts::platform {

// A name for a new temporary file beside `name`, unused so far by this process.
std::string temporaryName(const std::string& name);

// Whether `candidate` is one of our temporary names; one of `name`'s, in any letter case, when
// `name` is given.
bool isTemporaryName(std::string_view candidate, std::string_view name = {});

// Removes from `folder` our temporary files that no living writer holds: of `name` only, when
// given, else all of them.
void removeStaleTemporaries(const std::string& folder, std::string_view name = {});

} // namespace tts::platform
