#pragma once

#include <windows.h>

#include <string>

namespace tts::app::win32 {

// A job's notice: centred on the screen, no icon, the application title, one button
// "Aceptar". The box is owned by `form`, or by the host's window that `form` is embedded in;
// the owner takes no input meanwhile. `form` may be null before there is one.
void showNotice(HWND form, const std::string& text);

// What a finished job warns about: as a notice, with the information icon.
void showInformation(HWND form, const std::string& text);

// The top-level error handler's box: stop icon, the application title, one button "Aceptar".
void showErrorBox(HWND form, const std::string& text);

} // namespace tts::app::win32
