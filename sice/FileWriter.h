#pragma once

#include <string>
#include <vector>

namespace tts::sice {

// Writes every line followed by CR LF. The bytes go to a temporary file in the same folder that
// replaces the target only once all of it is written and flushed, so a failure never leaves a
// half-written file nor destroys the old one. Failure: "Cannot create file "%s". %s".
void writeLines(const std::vector<std::string>& lines, const std::string& path);

} // namespace tts::sice
