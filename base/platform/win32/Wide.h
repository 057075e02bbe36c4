#pragma once

#include <string>

// Paths are Windows-1252 bytes (the ANSI code page) in the program and UTF-16 for the system.
namespace tts::platform {

std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);

} // namespace tts::platform
