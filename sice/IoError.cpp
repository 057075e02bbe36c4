#include "sice/IoError.h"

#include "base/Error.h"
#include "base/LocatedError.h"
#include "base/platform/Folders.h"

namespace tts::sice {

namespace {

// What the context line says of a file that another program holds open.
constexpr const char* kHeldByAnotherProgram = "otro programa lo tiene abierto";

} // namespace

std::string ioErrorText(int code) {
    switch (code) {
    case 2:
        return "No se encuentra el archivo";
    case 3:
        return "Nombre de archivo inv\xE1lido";
    case 4:
        return "Demasiados archivos abiertos";
    case 5:
        return "Acceso al archivo denegado";
    default:
        return "Error de E/S " + std::to_string(code);
    }
}

std::string cannotReadReason(platform::SystemError error) {
    // The system's words for a share mode name no culprit; the user needs to close a window.
    if (platform::isSharingViolation(error))
        return kHeldByAnotherProgram;
    return platform::reasonInSpanish(error);
}

std::string fileContext(const std::string& path, const std::string& reason) {
    return "\nArchivo: " + path + "\nMotivo: " + reason;
}

void raiseIoError(const std::string& path, platform::SystemError error) {
    // The message tells a person; the location gives a report the same file and reason as data.
    const std::string reason = cannotReadReason(error);
    throw LocatedError(ioErrorText(platform::windowsCode(error)) + "." + fileContext(path, reason),
                       ValueLocation{path, 0, reason});
}

} // namespace tts::sice
