#pragma once

#include <string>

// Paths are UTF-8 in the program and UTF-16 for the system, so that any folder name survives
// the trip (the ANSI code page would turn "Łódź" into "Lódz").
namespace tts::platform {

std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);

// A path, or a "path::/topic" address, for a service that takes only the ANSI code page: its
// own bytes when the code page holds every letter, else the file's short name, which it does.
std::string ansiPath(const std::string& path);

} // namespace tts::platform
