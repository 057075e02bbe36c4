#pragma once

#include <windows.h>

namespace tts::app::win32 {

// Registers one of the program's window classes: the arrow cursor, and where `withIcon` the
// program's icon at the system's two sizes (for a window the task bar or a caption shows).
void registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, bool withIcon,
                         HBRUSH background = nullptr);

} // namespace tts::app::win32
