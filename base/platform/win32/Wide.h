#pragma once

#include <string>

// Paths are UTF-8 in the program and UTF-16 for the system, so that any folder name survives
// the trip (the ANSI code page would turn "Łódź" into "Lódz").
namespace tts::platform {

std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);

} // namespace tts::platform
