#pragma once

#include "base/platform/AtomicReplace.h"

#include <string>
#include <vector>

namespace tts::sice {

// Writes every line followed by CR LF. The bytes go to a temporary file in the same folder that
// replaces the target only once all of it is written and flushed, so a failure never leaves a
// half-written file nor destroys the old one (base/platform/AtomicReplace.h). A file we may not
// write, or one that another program holds, stays as it was.
// Failure: "Cannot create file "%s". %s".
void writeLines(const std::vector<std::string>& lines, const std::string& path);

// The same, with the bytes going through `writer`: tests pass one that fails part-way.
void writeLines(const std::vector<std::string>& lines, const std::string& path,
                const platform::WriteBytes& writer);

// The name of the temporary file written beside `path`: hidden, and not ending in .TXT, so that
// nobody takes it for a SICE file. Its writer's process id and a sequence number follow.
std::string temporaryPrefixFor(const std::string& path);

} // namespace tts::sice
