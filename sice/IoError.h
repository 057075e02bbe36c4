#pragma once

#include "base/platform/SystemError.h"

#include <string>

namespace tts::sice {

// Failures of line-by-line reading are reported by the Windows error code that SICE users know,
// whatever system we run on: 2 "No se encuentra el archivo", 3 "Nombre de archivo inválido",
// 4 "Demasiados archivos abiertos", 5 "Acceso al archivo denegado", any other n "Error de E/S n".

// The Spanish message of a Windows-style code.
std::string ioErrorText(int code);

// Why a SICE file could not be read, in Spanish: the system's reason, or who holds it. The one
// place that words it for every reading of a SICE file, so that each reason reads the same
// everywhere.
std::string cannotReadReason(platform::SystemError error);

// The context lines a stop adds to its message: "\nArchivo: <path>\nMotivo: <reason>".
std::string fileContext(const std::string& path, const std::string& reason);

// "<message by code>." and the file's context lines, one per fact: which file it was and why it
// could not be read ("\nArchivo: <path>\nMotivo: <reason>").
[[noreturn]] void raiseIoError(const std::string& path, platform::SystemError error);

} // namespace tts::sice
