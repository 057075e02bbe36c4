#pragma once

#include "base/platform/SystemError.h"

#include <string>
#include <string_view>

namespace tts::app {

// `text`, an INI file's bytes, with `key` of `section` set to `value`, the way Windows'
// WritePrivateProfileStringA does it: section and key names are matched without regard to
// letter case (first match wins), an existing entry is rewritten as key=value in its own line, a
// missing key is added after the last non-blank line of its section, a missing section is added
// at the end. Every other byte stays as it was; added lines end like the file's lines do (CR LF
// for a file without any).
std::string withProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view value);

// The same on the file at `path` (bytes of the file system's encoding), creating it when
// missing. The file is replaced through a temporary file and a rename, so the host never reads
// half an INI file. Returns 0, or why the file could not be read or written; it is then left
// untouched.
platform::SystemError writeProfileString(const std::string& path, std::string_view section,
                                         std::string_view key, std::string_view value);

} // namespace tts::app
