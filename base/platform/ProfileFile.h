#pragma once

#include "base/platform/SystemError.h"

#include <string>
#include <string_view>

namespace tts::platform {

// Sets `key` of `section` in the INI file at `path` (a full path: Windows sends a bare name to
// its own folder), creating the file when missing, through the system's INI service on Windows
// (WritePrivateProfileStringA) and through `updatedText` and an atomic replacement elsewhere.
// Every other section, key and value stays. 0, or why the file could not be written.
SystemError
writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value,
                   std::string (*updatedText)(std::string_view text, std::string_view section,
                                              std::string_view key, std::string_view value));

} // namespace tts::platform
