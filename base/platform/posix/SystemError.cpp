#include "base/platform/SystemError.h"

#include <cerrno>
#include <cstring>

namespace tts::platform {

std::string describe(SystemError error) {
    if (error == kNotRegularFile)
        return "No es un archivo normal";
    return std::strerror(error);
}

std::string reasonInSpanish(SystemError error) {
    switch (error) {
    case kNotRegularFile:
        return "no es un archivo normal";
    case ENOENT:
        return "no existe";
    case EACCES:
    case EPERM:
        return "acceso denegado";
    case EROFS:
        return "el disco es de solo lectura";
    case ENOSPC:
        return "no queda espacio en el disco";
    case EDQUOT:
        return "se ha superado la cuota de disco";
    case EFBIG:
        return "el archivo ha superado el tama\xF1o permitido";
    case EIO:
        return "error de entrada/salida del disco";
    case EMFILE:
    case ENFILE:
        return "demasiados archivos abiertos";
    case ENAMETOOLONG:
        return "nombre demasiado largo";
    case EISDIR:
        return "es una carpeta";
    case ENOTDIR:
        return "una parte de la ruta no es una carpeta";
    case ELOOP:
        return "es un enlace que vuelve sobre s\xED mismo (enlaces en bucle)";
    case EBUSY:
        return "otro programa lo est\xE1 usando";
    default:
        return "error del sistema " + std::to_string(error);
    }
}

int windowsCode(SystemError error) {
    switch (error) {
    case 0:
        return 0;
    case ENOENT:
        return 2; // ERROR_FILE_NOT_FOUND
    case ENOTDIR: // a folder on the way is a file: Windows says "path not found"
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
    case EILSEQ:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: // Windows refuses to open a folder as a file with "access denied"
    case kNotRegularFile:
        return 5;
    case ENOMEM:
        return 8; // ERROR_NOT_ENOUGH_MEMORY
    case EIO:
        return 30; // ERROR_READ_FAULT
    case ETXTBSY:
    case EBUSY:
    case EAGAIN:
        return 32; // ERROR_SHARING_VIOLATION: another program holds the file
    case EEXIST:
        return 80; // ERROR_FILE_EXISTS
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return 112; // ERROR_DISK_FULL
    default:
        return 31; // ERROR_GEN_FAILURE
    }
}

bool isNotFound(SystemError error) {
    return error == ENOENT || error == ENOTDIR;
}
bool isAccessDenied(SystemError error) {
    return error == EACCES || error == EPERM || error == EROFS;
}
bool isSharingViolation(SystemError error) {
    return error == EBUSY;
}
bool isAlreadyExists(SystemError error) {
    return error == EEXIST;
}
bool isDeviceNotReady(SystemError error) {
#ifdef ENOMEDIUM
    if (error == ENOMEDIUM)
        return true;
#endif
    return error == EIO || error == ENXIO || error == ENODEV;
}
SystemError sharingViolation() {
    return EBUSY;
}
SystemError readFault() {
    return EIO;
}

} // namespace tts::platform
