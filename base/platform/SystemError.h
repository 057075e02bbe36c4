#pragma once

#include <string>

namespace tts::platform {

// A failure of a system call, as the system numbers it: errno on POSIX, GetLastError() on
// Windows. 0 means success.
using SystemError = int;

// Our own code for a path that names something other than a plain file (a folder, a device, a
// FIFO): such a thing is never read as a SICE file or a table. Windows keeps bit 29 of its
// codes for applications, so it cannot clash with a system code there, nor with an errno value.
constexpr SystemError kNotRegularFile = 0x20000001;

// Our own code for a path that is a symbolic link to nothing: it is there, yet cannot be opened.
constexpr SystemError kBrokenLink = 0x20000002;

// What went wrong, as the user is told it: each system maps its own codes onto these, and one
// table gives their words (SystemReasons.cpp).
enum class Cause {
    Other, // no words of ours: the system's number is shown
    NotRegularFile,
    BrokenLink,
    NotFound,
    PathNotFolder, // a folder on the way is missing or is a file
    AccessDenied,
    ReadOnlyDisk,
    DiskFull,
    QuotaExceeded,
    FileTooLarge,
    DiskFault,
    TooManyOpenFiles,
    NameTooLong,
    IsFolder,
    LinkLoop,
    InUse,
};
Cause causeOf(SystemError error);

// The reason in Spanish, lower case and short ("acceso denegado", "no existe"), for the
// "Motivo:" lines; "error del sistema N" for a failure without words of ours.
std::string reasonInSpanish(SystemError error);

// The same reason as a sentence of its own ("Acceso denegado"), for the messages that put it
// after a text of theirs ("Cannot open file "%s". %s"); without a final full stop.
std::string describe(SystemError error);

// The code Windows gives the same failure (2 file not found, 3 path not found, 5 access denied,
// 32 sharing violation, 112 disk full...), so that messages that show codes read the same
// everywhere.
int windowsCode(SystemError error);

bool isNotFound(SystemError error);         // no such file, or a folder on the way is missing
bool isAccessDenied(SystemError error);     // no right to do it (read-only file, folder...)
bool isSharingViolation(SystemError error); // another program holds the file
bool isAlreadyExists(SystemError error);
bool isDeviceNotReady(SystemError error); // a drive without its medium, or that cannot be read
bool isReadOnlyDisk(SystemError error);   // a file system mounted read-only, a protected medium

// A failure that tells that someone holds the file, as every layer reports it.
SystemError sharingViolation();
SystemError readFault(); // the disk could not read the data (EIO, ERROR_READ_FAULT)

} // namespace tts::platform
