#include "sice/IoError.h"

#include "base/Error.h"
#include "base/platform/Folders.h"

namespace tts::sice {

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

std::string cannotReadReason(const std::string& path, platform::SystemError error) {
    // The folder lists the name, yet opening it finds nothing: a link to what is gone.
    if (platform::isNotFound(error) && platform::isLink(path))
        return "es un enlace roto: lo que nombra no existe";
    return platform::reasonInSpanish(error);
}

std::string fileContext(const std::string& path, platform::SystemError error) {
    return "\nArchivo: " + path + "\nMotivo: " + cannotReadReason(path, error);
}

void raiseIoError(const std::string& path, platform::SystemError error) {
    throw Error(ioErrorText(platform::windowsCode(error)) + "." + fileContext(path, error));
}

} // namespace tts::sice
