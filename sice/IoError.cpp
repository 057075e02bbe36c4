#include "sice/IoError.h"

#include "base/Error.h"

#include <cerrno>

namespace tts::sice {

int ioErrorCode(int posixErrno) {
    switch (posixErrno) {
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
    case EISDIR: // Windows refuses to open a folder as a file with "access denied"
        return 5;
    case ENOMEM:
        return 8; // ERROR_NOT_ENOUGH_MEMORY
    case EIO:
        return 30; // ERROR_READ_FAULT
    case ETXTBSY:
    case EBUSY:
    case EAGAIN:
        return 32; // ERROR_SHARING_VIOLATION: another program holds the file
    case ENOSPC:
        return 112; // ERROR_DISK_FULL
    default:
        return 31; // ERROR_GEN_FAILURE
    }
}

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

void raiseIoError(int posixErrno) {
    throw Error(ioErrorText(ioErrorCode(posixErrno)));
}

} // namespace tts::sice
