#pragma once

#include <windows.h>

#include <string>

namespace tts::app::win32 {

// A job's notice: centred on the screen, no icon, the application title, one button
// "Aceptar". `owner` (may be null) takes no input meanwhile.
void showNotice(HWND owner, const std::string& text);

// What a finished job warns about: as a notice, with the information icon.
void showInformation(HWND owner, const std::string& text);

// The top-level error handler's box: stop icon, the application title, one button "Aceptar".
void showErrorBox(HWND owner, const std::string& text);

} // namespace tts::app::win32
