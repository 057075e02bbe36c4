#include "base/platform/SystemError.h"

#include <cerrno>

namespace tts::platform {

Cause causeOf(SystemError error) {
    switch (error) {
    case kNotRegularFile:
        return Cause::NotRegularFile;
    case kBrokenLink:
        return Cause::BrokenLink;
    case ENOENT:
        return Cause::NotFound;
    case ENOTDIR:
        return Cause::PathNotFolder;
    case EACCES:
    case EPERM:
        return Cause::AccessDenied;
    case EROFS:
        return Cause::ReadOnlyDisk;
    case ENOSPC:
        return Cause::DiskFull;
    case EDQUOT:
        return Cause::QuotaExceeded;
    case EFBIG:
        return Cause::FileTooLarge;
    case EIO:
        return Cause::DiskFault;
    case EMFILE:
    case ENFILE:
        return Cause::TooManyOpenFiles;
    case ENAMETOOLONG:
        return Cause::NameTooLong;
    case EISDIR:
        return Cause::IsFolder;
    case ELOOP:
        return Cause::LinkLoop;
    case EBUSY:
        return Cause::InUse;
    default:
        return Cause::Other;
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
    case kBrokenLink:
        return 2; // what Windows says of a link to nothing
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
bool isReadOnlyDisk(SystemError error) {
    return error == EROFS;
}
SystemError sharingViolation() {
    return EBUSY;
}
SystemError readFault() {
    return EIO;
}

} // namespace tts::platform
