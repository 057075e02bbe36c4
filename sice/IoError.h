#pragma once

#include "base/platform/SystemError.h"

#include <string>

namespace tts::sice {

// Failures of line-by-line reading are reported by the Windows error code that SICE users know,
// whatever system we run on: 2 "No se encuentra el archivo", 3 "Nombre de archivo inválido",
// 4 "Demasiados archivos abiertos", 5 "Acceso al archivo denegado", any other n "Error de E/S n".

// What the context line says of a file that another program holds open.
inline constexpr const char* kHeldByAnotherProgram = "otro programa lo tiene abierto";

// The Spanish message of a Windows-style code.
std::string ioErrorText(int code);

[[noreturn]] void raiseIoError(platform::SystemError error);

} // namespace tts::sice
