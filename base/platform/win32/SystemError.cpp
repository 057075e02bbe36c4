#include "base/platform/SystemError.h"
#include "base/platform/win32/Wide.h"

#include <windows.h>

namespace tts::platform {

std::wstring widen(const std::string& text) {
    if (text.empty())
        return {};
    // Bytes that are no UTF-8 came from the ANSI code page (a runtime function gave them) and
    // are read as such, rather than lost to replacement characters.
    UINT codePage = CP_UTF8;
    int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                     static_cast<int>(text.size()), nullptr, 0);
    if (size == 0) {
        codePage = CP_ACP;
        size = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                     0);
    }
    std::wstring wide(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          size);
    return wide;
}

std::string narrow(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          size, nullptr, nullptr);
    return bytes;
}

namespace {

// The text in the ANSI code page; false when a letter had to be replaced.
bool toAnsi(const std::wstring& text, std::string& bytes) {
    BOOL replaced = FALSE;
    const int size =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                              static_cast<int>(text.size()), nullptr, 0, nullptr, &replaced);
    bytes.assign(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                          bytes.data(), size, nullptr, &replaced);
    return !replaced;
}

} // namespace

std::string ansiPath(const std::string& path) {
    const size_t topic = path.find("::");
    const std::wstring file = widen(path.substr(0, topic));
    const std::string rest = topic == std::string::npos ? std::string() : path.substr(topic);
    std::string bytes;
    if (toAnsi(file, bytes))
        return bytes + rest;
    const DWORD size = ::GetShortPathNameW(file.c_str(), nullptr, 0);
    std::wstring shortName(size, L'\0');
    if (size && ::GetShortPathNameW(file.c_str(), shortName.data(), size) < size) {
        shortName.resize(wcslen(shortName.c_str()));
        toAnsi(shortName, bytes);
    }
    return bytes + rest;
}

Cause causeOf(SystemError error) {
    switch (static_cast<DWORD>(error)) {
    case static_cast<DWORD>(kNotRegularFile):
        return Cause::NotRegularFile;
    case static_cast<DWORD>(kBrokenLink):
        return Cause::BrokenLink;
    case ERROR_FILE_NOT_FOUND:
        return Cause::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
        return Cause::PathNotFolder;
    case ERROR_ACCESS_DENIED:
        return Cause::AccessDenied;
    case ERROR_WRITE_PROTECT:
        return Cause::ReadOnlyDisk;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Cause::DiskFull;
    case ERROR_FILE_TOO_LARGE:
        return Cause::FileTooLarge;
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_CRC:
        return Cause::DiskFault;
    case ERROR_TOO_MANY_OPEN_FILES:
        return Cause::TooManyOpenFiles;
    case ERROR_FILENAME_EXCED_RANGE:
        return Cause::NameTooLong;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Cause::InUse;
    default:
        return Cause::Other;
    }
}

int windowsCode(SystemError error) {
    if (error == kNotRegularFile)
        return ERROR_ACCESS_DENIED;
    return error == kBrokenLink ? ERROR_FILE_NOT_FOUND : error;
}

bool isNotFound(SystemError error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}
bool isAccessDenied(SystemError error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}
bool isSharingViolation(SystemError error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}
bool isAlreadyExists(SystemError error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}
bool isDeviceNotReady(SystemError error) {
    return error == ERROR_NOT_READY || error == ERROR_READ_FAULT || error == ERROR_DEV_NOT_EXIST;
}
bool isReadOnlyDisk(SystemError error) {
    return error == ERROR_WRITE_PROTECT;
}
SystemError sharingViolation() {
    return ERROR_SHARING_VIOLATION;
}
SystemError readFault() {
    return ERROR_READ_FAULT;
}

} // namespace tts::platform
