#include "sice/IoError.h"

#include "base/Error.h"

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

void raiseIoError(platform::SystemError error) {
    throw Error(ioErrorText(platform::windowsCode(error)));
}

} // namespace tts::sice
